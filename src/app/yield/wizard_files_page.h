#pragma once
// Page 1 of the yield prediction wizard: the PRM and PAR files and the site
// class, which may be calculated from a measured stand.

#include <QLineEdit>
#include <QRadioButton>

#include "app/widgets/wizard_page.h"

namespace mk::app {

class Dialog_Com3_01 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com3_01(AppContext& context, QWidget* parent = nullptr);

    void Command_PRMSet_Click();
    void Command_PARSet_Click();
    void Command_CalcState_Click();
    void Option_Click(int index);  // Option1..Option3
    void OKButton_Click() override;

protected:
    void Form_Activate() override;

private:
    void Form_Load();

    QLineEdit* textPrm_;
    QLineEdit* textPar_;
    QRadioButton* options_[5]{};  // 1..4
    QPushButton* commandPrmSet_;
    // The curve scale of a calculated site class (option 不明).
    double foundScale_ = 0;
};

}  // namespace mk::app
