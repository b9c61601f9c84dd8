#include "app/services/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStringList>

#include "app/services/recent_files.h"
#include "core/host/messages.h"

namespace mk::app {

QString ToolkitFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        // Several patterns are written "a*.prm;b*.prm"; the toolkit wants
        // them apart by blanks.
        QString spaced = pattern;
        spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (description.contains(bracketed)) {
            QString entry = description;
            entry.replace(bracketed, QLatin1Char('(') + spaced + QLatin1Char(')'));
            entries << entry;
        } else {
            entries << description + QStringLiteral(" (") + spaced + QLatin1Char(')');
        }
    }
    if (entries.isEmpty()) return filter;
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> AskSaveFileName(FileDialogs& dialogs, Messages& messages, QWidget* parent,
                                       const FileDialogRequest& request) {
    FileDialogRequest asked = request;
    for (;;) {
        std::optional<QString> chosen = dialogs.Save(parent, asked);
        if (!chosen || chosen->isEmpty()) return std::nullopt;
        *chosen = WithDefaultSuffix(*chosen, request.defaultSuffix);
        const QString question = SaveQuestion(*chosen, request);
        if (question.isEmpty() ||
            messages.Show(question.toStdString(), request.title.toStdString(), MessageIcon::Warning,
                          MessageButtons::YesNo) == MessageAnswer::Yes) {
            return chosen;
        }
        // As a desktop's own dialog does: "いいえ" is another try, not the end.
        asked.presetName = *chosen;
    }
}

namespace {

// Shows the size and date columns of the file list in Japanese. The file
// system model writes them in the system's locale, so a desktop that is not
// set to Japanese would show "114 bytes" and "8 Dec 2026" beside Japanese
// buttons.
class JapaneseFileList : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        enum { kSizeColumn = 1, kDateColumn = 3 };
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr ||
            (index.column() != kSizeColumn && index.column() != kDateColumn)) {
            return QSortFilterProxyModel::data(index, role);
        }
        const QFileInfo info = files->fileInfo(mapToSource(index));
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        if (index.column() == kDateColumn) {
            return japanese.toString(info.lastModified(), QLocale::ShortFormat);
        }
        if (info.isDir()) return QSortFilterProxyModel::data(index, role);
        return japanese.formattedDataSize(info.size());
    }
};

// Hides the files the user may not run while it is switched on; folders
// stay so that the user can still walk to a program. (The file system
// model's own permission filter cannot say "executable files only".)
class ExecutableFilesOnly final : public JapaneseFileList {
public:
    using JapaneseFileList::JapaneseFileList;
    void SetActive(bool active) {
        active_ = active;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!active_ || files == nullptr) return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool active_ = true;
};

}  // namespace

void ListFilesInJapanese(QFileDialog& dialog) {
    dialog.setProxyModel(new JapaneseFileList(&dialog));
}

void ShowOnlyExecutablesUnderFirstFilter(QFileDialog& dialog) {
    auto* proxy = new ExecutableFilesOnly(&dialog);
    dialog.setProxyModel(proxy);
    const QString first = dialog.nameFilters().value(0);
    const auto apply = [proxy, first](const QString& selected) {
        proxy->SetActive(selected == first);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, proxy, apply);
    apply(dialog.selectedNameFilter());
}

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
    if (suffix.isEmpty() || path.isEmpty()) return path;
    const QFileInfo info(path);
    if (info.fileName().contains(QLatin1Char('.'))) return path;
    return path + QLatin1Char('.') + suffix;
}

QString FilterSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString SaveQuestion(const QString& path, const FileDialogRequest& request) {
    const QFileInfo info(path);
    if (info.exists()) {
        return info.fileName() + QStringLiteral(" は既に存在します。\n上書きしますか？");
    }
    if (request.promptCreate) {
        return info.fileName() + QStringLiteral(" は存在しません。\n作成しますか？");
    }
    return {};
}

// A preset that is only a pattern opens the dialog in its folder (or the
// folder last used) with an empty name box; a real name is preselected.
QString QtFileDialogs::StartPath(const QString& preset) const {
    const QString last = settings_ != nullptr ? RecalledFolder(*settings_) : QString();
    return DialogStartPath(preset, QDir::currentPath(), last);
}

std::optional<QString> QtFileDialogs::Answer(const QString& chosen) {
    if (chosen.isEmpty()) return std::nullopt;
    if (settings_ != nullptr) RememberFolderOf(*settings_, chosen);
    return chosen;
}

// The toolkit's own dialog matches the patterns without regard to letter
// case, so "*.par" also lists "sugi.PAR"; a desktop's native dialog may not.
constexpr QFileDialog::Options kOptions = QFileDialog::DontUseNativeDialog;

std::optional<QString> QtFileDialogs::Open(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.title, StartPath(request.presetName),
                       ToolkitFilter(request.filter));
    dialog.setOptions(kOptions);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (request.executablesFirst) {
        ShowOnlyExecutablesUnderFirstFilter(dialog);
    } else {
        ListFilesInJapanese(dialog);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return Answer(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtFileDialogs::Save(QWidget* parent, const FileDialogRequest& request) {
    // The toolkit's own overwrite question is not in the program's language:
    // AskSaveFileName asks it.
    QFileDialog dialog(parent, request.title, StartPath(request.presetName),
                       ToolkitFilter(request.filter));
    dialog.setOptions(kOptions | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    ListFilesInJapanese(dialog);
    if (!request.defaultSuffix.isEmpty()) {
        // A name typed without an extension gets that of the filter chosen
        // (PNG chosen, "graph" is saved as graph.png).
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &request](const QString& filter) {
                const QString suffix = FilterSuffix(filter);
                dialog.setDefaultSuffix(suffix.isEmpty() ? request.defaultSuffix : suffix);
            });
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return Answer(WithDefaultSuffix(dialog.selectedFiles().value(0), dialog.defaultSuffix()));
}

}  // namespace mk::app
