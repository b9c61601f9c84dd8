#pragma once
// The last page of the planning wizard: the thinning policy (yield index
// limit and step, slenderness limit, the ages thinnings may fall between
// and the least interval), with advisory warnings and the confirmation of
// the whole request.

#include <QLabel>

#include "app/widgets/scroll_row.h"
#include "app/widgets/wizard_page.h"
#include "core/planning/plan_pages.h"

namespace mk::app {

class Dialog_Com2_06 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com2_06(AppContext& context, QWidget* parent = nullptr);

    void HScroll_Change(int index);  // HScroll1..HScroll6
    void OKButton_Click() override;

protected:
    void KeepValuesForLater() override;

private:
    void Form_Load();
    PlanPolicyBars Bars() const;
    PlanPolicyTexts Texts() const;
    // The stand of the current-stand page (modes A and B).
    PlanStand CurrentStand();

    ScrollRow* rows_[7]{};  // 1..6
    QLabel* labelCurrent_;
    QLabel* labelTarget_;
    bool ryStepEnabled_ = true;
    bool slendernessEnabled_ = true;
};

}  // namespace mk::app
