#include "app/services/recent_files.h"

#include <QDir>
#include <QFileInfo>

#include "app/services/settings_store.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"

namespace mk::app {

namespace {

const QString kFolderKey = QStringLiteral("LastFolder");

}  // namespace

std::string RecalledFile(SettingsStore& settings, const QString& key) {
    const QString path = settings.Read(kRecentGroup, key);
    if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
    return path.toStdString();
}

void RememberFile(SettingsStore& settings, const QString& key, const std::string& path) {
    settings.Write(kRecentGroup, key, QString::fromStdString(path));
}

std::string ReopenRecalledFile(SettingsStore& settings, const QString& key, const QuietRead& read) {
    const std::string path = RecalledFile(settings, key);
    if (path.empty()) return {};
    RecordingMessages quiet;
    if (!read(path, quiet) || !quiet.shown().empty()) return {};
    return path;
}

bool ReadsAsPrm(const std::string& path, Messages& quiet) {
    DensityDiagramParameters diagram;
    return ReadPrmFile(path, diagram, quiet);
}

bool ReadsAsPar(const std::string& path, Messages& quiet) {
    HeightCurveParameters curve;
    return ReadParFile(path, curve, quiet);
}

bool ReadsAsHnp(const std::string& path, Messages& quiet) {
    HnpParameters hnp;
    return ReadHnpFile(path, hnp, quiet);
}

QString RecalledFolder(SettingsStore& settings) {
    const QString folder = settings.Read(kRecentGroup, kFolderKey);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return {};
    return folder;
}

void RememberFolderOf(SettingsStore& settings, const QString& chosenPath) {
    if (chosenPath.isEmpty()) return;
    const QString folder = QFileInfo(chosenPath).absolutePath();
    if (QFileInfo(folder).isDir()) settings.Write(kRecentGroup, kFolderKey, folder);
}

QString DialogStartPath(const QString& preset, const QString& currentFolder,
                        const QString& lastFolder) {
    const QFileInfo info(preset);
    const QString pattern = info.fileName();
    if (!pattern.contains(QLatin1Char('*'))) return preset;
    // The dialog opens in the pattern's folder with an empty name box.
    const QString folder = info.path();
    if (lastFolder.isEmpty() || QDir::cleanPath(folder) != QDir::cleanPath(currentFolder))
        return folder;
    return lastFolder;
}

}  // namespace mk::app
