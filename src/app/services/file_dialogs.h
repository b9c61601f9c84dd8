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
    // Save: added ("dat" gives "杉 試験地.dat") to a name typed without an
    // extension, so that the window's own open dialog finds the file again.
    QString defaultSuffix{};
    // Save: ask before a new file is created (replacing one is always asked).
    bool promptCreate = false;
    // The first filter lists only the files the user may run: programs on
    // this platform have no extension of their own.
    bool executablesFirst = false;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path; empty when the user cancelled. Save gives the path with
    // the default suffix added and asks nothing: AskSaveFileName asks before a
    // file is replaced or created, in the program's own words.
    virtual std::optional<QString> Open(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> Save(QWidget* parent, const FileDialogRequest& request) = 0;
};

// "林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm" becomes the toolkit's
// "林分密度管理図ﾌｧｲﾙ (*.prm)"; a description that does not show its pattern
// gets it appended in brackets.
QString ToolkitFilter(const QString& filter);

// Every save dialog of the program: asks for the name through dialogs and
// the save question (SaveQuestion) through messages, where tests can answer
// it. The name gets the request's default suffix when typed without an
// extension; an existing file is replaced (and with promptCreate a new one
// made) only when the user says so, and "いいえ" opens the dialog again on
// the name chosen. Empty when the user cancelled.
std::optional<QString> AskSaveFileName(FileDialogs& dialogs, Messages& messages, QWidget* parent,
                                       const FileDialogRequest& request);

// Lets the dialog's file list show sizes and dates in Japanese whatever the
// desktop's locale.
void ListFilesInJapanese(QFileDialog& dialog);
// Lets the dialog's first name filter show only files the user may run; the
// other filters show every file. Sizes and dates are in Japanese as above.
void ShowOnlyExecutablesUnderFirstFilter(QFileDialog& dialog);

// path with "." + suffix added when its file name has no extension.
QString WithDefaultSuffix(const QString& path, const QString& suffix);

// The extension of a toolkit filter's first "*.ext" pattern ("PNGファイル
// (*.png)" gives "png"); empty when it has none.
QString FilterSuffix(const QString& filter);

// The question a save dialog asks before it hands back path: replacing an
// existing file, or creating a new one when the request asks for that; empty
// when there is nothing to ask.
QString SaveQuestion(const QString& path, const FileDialogRequest& request);

class SettingsStore;

// The toolkit's dialogs. With a settings store, a dialog whose proposal is
// a pattern in the current folder opens in the folder last used, and each
// chosen file's folder is remembered.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(SettingsStore* settings = nullptr) : settings_(settings) {}
    std::optional<QString> Open(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> Save(QWidget* parent, const FileDialogRequest& request) override;

private:
    QString StartPath(const QString& preset) const;
    std::optional<QString> Answer(const QString& chosen);

    SettingsStore* settings_;
};

}  // namespace mk::app
