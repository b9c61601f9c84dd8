#include "app/yield/parameter_file_browse.h"

#include <QDir>
#include <QLineEdit>

#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/text/text_compare.h"

namespace mk::app {

void BrowseParameterFile(AppContext& context, QWidget* parent, QLineEdit& box,
                         const ParameterFileKind& kind) {
    const QString remembered = box.text();
    QString proposed = remembered;
    if (proposed.isEmpty()) proposed = QDir::currentPath() + QLatin1Char('/') + kind.pattern;
    const std::optional<QString> chosen =
        context.services.files->Open(parent, {kind.title, kind.filter, proposed});
    if (!chosen || chosen->isEmpty()) return;
    if (TextEquals(chosen->toStdString(), proposed.toStdString())) {
        box.setText(remembered);
        return;
    }
    if (kind.read(chosen->toStdString())) {
        box.setText(*chosen);
        MarkLoaded(box);
    }
}

namespace {
const char* const kLoadedPath = "loadedPath";
}

void MarkLoaded(QLineEdit& box) { box.setProperty(kLoadedPath, box.text()); }

bool EnsureLoaded(QLineEdit& box, const ParameterFileKind& kind) {
    if (box.text() == box.property(kLoadedPath).toString()) return true;
    if (!kind.read(box.text().toStdString())) return false;
    MarkLoaded(box);
    return true;
}

ParameterFileKind PrmFileKind(AppContext& context) {
    return {QStringLiteral("林分密度管理図(PRM)の指定"),
            QStringLiteral("林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm"), QStringLiteral("*.prm"),
            [&context](const std::string& path) {
                return ReadPrmFile(path, context.ws.Diagram, context.messages());
            }};
}

ParameterFileKind ParFileKind(AppContext& context) {
    return {QStringLiteral("上層樹高曲線式(PAR)の指定"),
            QStringLiteral("上層樹高曲線式ﾌｧｲﾙ (*.par)|*.par"), QStringLiteral("*.par"),
            [&context](const std::string& path) {
                return ReadParFile(path, context.ws.HeightCurve, context.messages());
            }};
}

ParameterFileKind HnpFileKind(AppContext& context) {
    return {QStringLiteral("上層樹高－本数曲線式(HNP)の指定"),
            QStringLiteral("上上層樹高－本数曲線式ﾌｧｲﾙ (*.hnp)|*.hnp"), QStringLiteral("*.hnp"),
            [&context](const std::string& path) {
                return ReadHnpFile(path, context.ws.Hnp, context.messages());
            }};
}

}  // namespace mk::app
