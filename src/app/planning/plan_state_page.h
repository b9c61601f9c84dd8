#pragma once
// Planning page 1: whether the stand as it is now is known, and whether a
// target stand is decided. Together they choose how the plans are worked
// out; a stand that is not known with no target cannot be planned.

#include <QRadioButton>

#include "app/widgets/wizard_page.h"

namespace mk::app {

class Dialog_Com2_01 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com2_01(AppContext& context, QWidget* parent = nullptr);

    void Option_Click();
    void OKButton_Click() override;

private:
    void Form_Load();

    QRadioButton* options_[5]{};  // 1..4
};

}  // namespace mk::app
