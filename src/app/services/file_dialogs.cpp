#include "app/services/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace mk::app {

QString ToolkitFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
            entries << description;
        } else {
            entries << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
        }
    }
    if (entries.isEmpty()) return filter;
    return entries.join(QStringLiteral(";;"));
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
    return Answer(QFileDialog::getSaveFileName(parent, request.title, StartPath(request.presetName),
                                               ToolkitFilter(request.filter), nullptr, kOptions));
}

std::optional<QString> QtFileDialogs::SaveWithFilter(QWidget* parent,
                                                     const FileDialogRequest& request,
                                                     QString& selectedFilter) {
    selectedFilter.clear();
    return Answer(QFileDialog::getSaveFileName(parent, request.title, StartPath(request.presetName),
                                               ToolkitFilter(request.filter), &selectedFilter,
                                               kOptions));
}

}  // namespace mk::app
