#pragma once
// Planning page shown when no target stand is decided: the age at which
// the plans end.

#include "app/widgets/scroll_row.h"
#include "app/widgets/wizard_page.h"

namespace mk::app {

class Dialog_Com2_04_2 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com2_04_2(AppContext& context, QWidget* parent = nullptr);

    void HScroll7_Change();
    void OKButton_Click() override;

protected:
    void KeepValuesForLater() override;

private:
    void Form_Load();

    ScrollRow* endAge_;
};

}  // namespace mk::app
