#include "app/basedata/survey_file_dialog.h"

#include <QDir>

#include "core/text/paths.h"
#include "core/text/text_compare.h"

namespace mk::app {

QString AskSurveyFile(AppContext& context, QWidget* parent, SurveyDialogMode mode,
                      const QString& currentPath) {
    const QString base = QStringLiteral("基礎資料ﾌｧｲﾙ(DAT)");
    const QString filter = QStringLiteral("基礎資料ﾌｧｲﾙ (*.dat)|*.dat");
    const QString folder = QDir::currentPath() + QLatin1Char('/');
    if (mode == SurveyDialogMode::Open) {
        const QString preset = folder + QStringLiteral("*.dat");
        const std::optional<QString> chosen = context.services.files->Open(
            parent, {base + QStringLiteral("の読み込み"), filter, preset});
        if (!chosen || chosen->isEmpty()) return {};
        if (TextEquals(chosen->toStdString(), preset.toStdString())) return {};
        return *chosen;
    }
    QString preset = currentPath;
    if (preset.isEmpty()) {
        preset =
            QString::fromStdString(MakeSaveName(folder.toStdString(), ".dat", context.messages()));
    }
    const std::optional<QString> chosen =
        AskSaveFileName(*context.services.files, context.messages(), parent,
                        {.title = base + QStringLiteral("を名前を付けて保存"),
                         .filter = filter,
                         .presetName = preset,
                         .defaultSuffix = QStringLiteral("dat"),
                         .promptCreate = true});
    if (!chosen) return {};
    return *chosen;
}

}  // namespace mk::app
