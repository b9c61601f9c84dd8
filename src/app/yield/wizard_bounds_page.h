#pragma once
// Page 4 of the yield prediction wizard for the thinning methods 4 to 6:
// the Ry or slenderness thresholds and the ages between which thinnings may
// be made; it ends the wizard with a confirmation.

#include "app/widgets/scroll_row.h"
#include "app/widgets/wizard_page.h"

namespace mk::app {

// The first age 1..100 at which the site curve reaches 5 m (100 when it
// never does), not before the current age.
int EarliestThinningAge(const Workspace& ws);

class Dialog_Com3_04_2 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com3_04_2(AppContext& context, QWidget* parent = nullptr);

    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll3_Change();
    void HScroll4_Change();
    void OKButton_Click() override;

protected:
    void KeepValuesForLater() override;

private:
    void Form_Load();
    void ShowValue(ScrollRow* row, int scale, int decimals);
    void AgeBarsChanged();

    ScrollRow* value1_;
    ScrollRow* value2_;
    ScrollRow* start_;
    ScrollRow* end_;
    int scale1_ = 1, scale2_ = 1, decimals1_ = 0, decimals2_ = 0;
    int method_ = 4;
    bool loading_ = true;
};

}  // namespace mk::app
