#include "app/services/scripted_services.h"

#include <QDialog>
#include <QPageSize>
#include <QPdfWriter>

namespace mk::app {

std::optional<QString> ScriptedFileDialogs::Next(const FileDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty()) return std::nullopt;
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.cancelled) return std::nullopt;
    return std::optional<QString>(answer.path);
}

std::optional<QString> ScriptedFileDialogs::Open(QWidget*, const FileDialogRequest& request) {
    return Next(request);
}

std::optional<QString> ScriptedFileDialogs::Save(QWidget*, const FileDialogRequest& request) {
    // The name comes back as the platform's dialog gives it: with the
    // default suffix added to a name typed without one.
    const std::optional<QString> chosen = Next(request);
    if (!chosen) return chosen;
    return WithDefaultSuffix(*chosen, request.defaultSuffix);
}

void ScriptedDialogRunner::Run(QDialog& dialog) {
    shown_ << dialog.objectName();
    dialog.setModal(true);
    dialog.show();
    if (!scripts_.empty()) {
        Script script = std::move(scripts_.front());
        scripts_.pop_front();
        script(dialog);
    }
    if (dialog.isVisible()) dialog.close();
}

QString MemorySettingsStore::Read(const QString& group, const QString& key) {
    return values.value(group + QLatin1Char('/') + key);
}

void MemorySettingsStore::Write(const QString& group, const QString& key, const QString& value) {
    values[group + QLatin1Char('/') + key] = value;
}

bool RecordingProcessStarter::StartDetached(const QString& program, const QStringList& arguments) {
    started.push_back({program, arguments});
    return succeed;
}

bool PdfFileReportPrinter::Print(QWidget*, const QString& title, const PagePainter& paint) {
    titles << title;
    if (path.isEmpty()) return false;
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    pages = paint(writer);
    return pages > 0;
}

}  // namespace mk::app
