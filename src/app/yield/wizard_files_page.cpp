#include "app/yield/wizard_files_page.h"

namespace mk::app {

Dialog_Com3_01::Dialog_Com3_01(AppContext& context, QWidget* parent)
    : ParameterFilesPage(context, QStringLiteral("Dialog_Com3_01"),
                         QStringLiteral("収穫予測表の作成－パラメータ設定(1/4)"),
                         /*regional=*/false, QString(), parent) {
    backButton()->setEnabled(false);
}

}  // namespace mk::app
