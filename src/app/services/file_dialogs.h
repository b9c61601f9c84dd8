#pragma once
// The common file dialogs of the program. Windows ask for a file name through
// this interface so that tests can answer in place of the user.

#include <QString>
#include <optional>

class QWidget;

namespace mk::app {

struct FileDialogRequest {
    QString title;
    // In the program's own "description|pattern|description|pattern" form.
    QString filter;
    // A path, or a folder followed by a pattern ("/data/*.prm").
    QString presetName;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path; empty when the user cancelled.
    virtual std::optional<QString> Open(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> Save(QWidget* parent, const FileDialogRequest& request) = 0;
};

// "林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm" becomes the toolkit's
// "林分密度管理図ﾌｧｲﾙ (*.prm)"; a description that does not show its pattern
// gets it appended in brackets.
QString ToolkitFilter(const QString& filter);

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
