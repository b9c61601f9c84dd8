#include "app/services/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

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

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
    if (suffix.isEmpty() || path.isEmpty()) return path;
    const QFileInfo info(path);
    if (info.fileName().contains(QLatin1Char('.'))) return path;
    return path + QLatin1Char('.') + suffix;
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

namespace {

// A preset that is only a pattern opens the dialog in its folder with an
// empty name box; a real name is preselected.
QString StartPath(const QString& preset) {
    if (preset.contains(QLatin1Char('*'))) return QFileInfo(preset).path();
    return preset;
}

std::optional<QString> Answer(const QString& chosen) {
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

}  // namespace

// The toolkit's own dialog matches the patterns without regard to letter
// case, so "*.par" also lists "sugi.PAR"; a desktop's native dialog may not.
constexpr QFileDialog::Options kOptions = QFileDialog::DontUseNativeDialog;

std::optional<QString> QtFileDialogs::Open(QWidget* parent, const FileDialogRequest& request) {
    return Answer(QFileDialog::getOpenFileName(parent, request.title, StartPath(request.presetName),
                                               ToolkitFilter(request.filter), nullptr, kOptions));
}

std::optional<QString> QtFileDialogs::Save(QWidget* parent, const FileDialogRequest& request) {
    // The toolkit's own overwrite question is not in the program's language;
    // the dialog asks its questions itself and opens again on "いいえ".
    QFileDialog dialog(parent, request.title, StartPath(request.presetName),
                       ToolkitFilter(request.filter));
    dialog.setOptions(kOptions | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    while (dialog.exec() == QDialog::Accepted) {
        const QString chosen =
            WithDefaultSuffix(dialog.selectedFiles().value(0), request.defaultSuffix);
        if (chosen.isEmpty()) return std::nullopt;
        const QString question = SaveQuestion(chosen, request);
        if (question.isEmpty()) return chosen;
        QMessageBox box(QMessageBox::Warning, request.title, question,
                        QMessageBox::Yes | QMessageBox::No, &dialog);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
        if (box.exec() == QMessageBox::Yes) return chosen;
    }
    return std::nullopt;
}

}  // namespace mk::app
