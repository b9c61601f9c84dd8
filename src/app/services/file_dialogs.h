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
    // The same, also telling which entry of the filter list the user had
    // chosen ("PNGファイル(*.png)"); empty when that is not known.
    virtual std::optional<QString> SaveWithFilter(QWidget* parent, const FileDialogRequest& request,
                                                  QString& selectedFilter) {
        selectedFilter.clear();
        return Save(parent, request);
    }
};

// "林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm" becomes the toolkit's
// "林分密度管理図ﾌｧｲﾙ (*.prm)"; a description that does not show its pattern
// gets it appended in brackets.
QString ToolkitFilter(const QString& filter);

class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> Open(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> Save(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> SaveWithFilter(QWidget* parent, const FileDialogRequest& request,
                                          QString& selectedFilter) override;
};

}  // namespace mk::app
