#include "app/planning/plan_files_page.h"

#include "app/planning/planning_wizard.h"

namespace mk::app {

Dialog_Com2_03::Dialog_Com2_03(AppContext& context, QWidget* parent)
    : ParameterFilesPage(context, QStringLiteral("Dialog_Com2_03"),
                         PlanPageCaption(context.ws.Plan), /*regional=*/true,
                         QStringLiteral("収穫予測のためのパラメータを設定します。\r\n"
                                        "パラメータファイルと地位を指定してください。"),
                         parent) {}

}  // namespace mk::app
