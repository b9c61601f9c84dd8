#pragma once
// The common file dialogs of the program. Windows ask for a file name through
// this interface so that tests can answer in place of the user.

#include <QString>
#include <optional>

class QFileDialog;
class QWidget;

namespace mk {
class Messages;
}

namespace mk::app {

struct FileDialogRequest {
    QString title;
    // In the program's own "description|pattern|description|pattern" form.
    QString filter;
    // A path, or a folder followed by a pattern ("/data/*.prm").
    QString presetName;
    // The first filter lists only the files the user may run: programs on
    // this platform have no extension of their own.
    bool executablesFirst = false;
    // Save: the program asks before a file is replaced (AskSaveFileName),
    // so the dialog itself does not.
    bool programAsksBeforeReplacing = false;
    // Save: added ("dat" gives "杉 試験地.dat") to a name typed without an
    // extension, so that the window's own open dialog finds the file again.
    QString defaultSuffix{};
    // Save: ask before a new file is created (replacing one is always asked).
    bool promptCreate = false;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path; empty when the user cancelled. Save gives the path with
    // the request's default suffix added, after the user agreed to replace or
    // create the file.
    virtual std::optional<QString> Open(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> Save(QWidget* parent, const FileDialogRequest& request) = 0;
};

// "林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm" becomes the toolkit's
// "林分密度管理図ﾌｧｲﾙ (*.prm)"; a description that does not show its pattern
// gets it appended in brackets.
QString ToolkitFilter(const QString& filter);

// Asks for the name to save under: a name typed without an extension gets
// the extension of the request's first filter ("diag1" becomes "diag1.bmp"),
// and an existing file is replaced only when the user says so. Empty when
// the user cancelled or would not replace the file.
std::optional<QString> AskSaveFileName(FileDialogs& dialogs, Messages& messages, QWidget* parent,
                                       const FileDialogRequest& request);

// "bmp" for "BMPファイル(*.bmp)|*.bmp"; empty when the first pattern names
// no extension.
QString FirstFilterExtension(const QString& filter);

// Lets the dialog's first name filter show only files the user may run; the
// other filters show every file.
void ShowOnlyExecutablesUnderFirstFilter(QFileDialog& dialog);
// path with "." + suffix added when its file name has no extension.
QString WithDefaultSuffix(const QString& path, const QString& suffix);

// The question a save dialog asks before it hands back path: replacing an
// existing file, or creating a new one when the request asks for that; empty
// when there is nothing to ask.
QString SaveQuestion(const QString& path, const FileDialogRequest& request);

class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> Open(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> Save(QWidget* parent, const FileDialogRequest& request) override;
};

}  // namespace mk::app
