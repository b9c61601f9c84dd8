#pragma once
// Page 2 of the yield prediction wizard: the thinning method and whether the
// stand starts from its planting density or from its current state.

#include <QGroupBox>
#include <QRadioButton>

#include "app/widgets/wizard_page.h"

namespace mk::app {

class Dialog_Com3_02 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com3_02(AppContext& context, QWidget* parent = nullptr);
    void OKButton_Click() override;

protected:
    void Form_Activate() override;
    void KeepValuesForLater() override;

private:
    void Form_Load();

    QRadioButton* options_[9]{};  // 1..8
    QGroupBox* frame2_;
};

}  // namespace mk::app
