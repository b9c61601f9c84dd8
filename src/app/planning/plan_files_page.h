#pragma once
// Planning page 3: the PRM and PAR files and the site class, as on the
// yield wizard's first page, but only files named for the chosen region
// are taken.

#include <QLineEdit>
#include <QRadioButton>

#include "app/widgets/wizard_page.h"
#include "app/yield/parameter_file_browse.h"

namespace mk::app {

// Why a file of another region than the chosen one is refused.
std::string NotInRegionText(const std::string& path, const std::string& prefix);

class Dialog_Com2_03 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com2_03(AppContext& context, QWidget* parent = nullptr);

    void Command_PRMSet_Click();
    void Command_PARSet_Click();
    void Command_CalcState_Click();
    void Option_Click(int index);  // Option1..Option3
    void OKButton_Click() override;

    // Whether the file name (without its folder) begins with the region's
    // prefix, ignoring letter case and width.
    static bool InRegion(const std::string& path, const std::string& prefix);

protected:
    void Form_Activate() override;
    void KeepChoices() override;

private:
    void Form_Load();
    int CheckedSite() const;
    // The yield wizard's file kinds held to the region, refusing another
    // region's file with a message titled with the page's caption.
    ParameterFileKind PrmKind();
    ParameterFileKind ParKind();

    QLineEdit* textPrm_;
    QLineEdit* textPar_;
    QRadioButton* options_[5]{};  // 1..4
    QPushButton* commandPrmSet_;
    double foundScale_ = 0;
};

}  // namespace mk::app
