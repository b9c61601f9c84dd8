#pragma once
// The page of the PRM and PAR files and the site class, which may be
// calculated from a measured stand. The yield wizard takes any file; the
// planning wizard only files named for the chosen region.

#include <QLineEdit>
#include <QRadioButton>
#include <string>

#include "app/widgets/wizard_page.h"

namespace mk::app {

struct ParameterFileKind;

// Why a file of another region than the chosen one is refused.
std::string NotInRegionText(const std::string& path, const std::string& prefix);

class ParameterFilesPage : public WizardPage {
    Q_OBJECT
public:
    void Command_PRMSet_Click();
    void Command_PARSet_Click();
    void Command_CalcState_Click();
    void Option_Click(int index);  // Option1..Option3
    void OKButton_Click() override;

    // Whether the file name (without its folder) begins with the region's
    // prefix, ignoring letter case and width. Any name is in the empty
    // region.
    static bool InRegion(const std::string& path, const std::string& prefix);

protected:
    // regional: only files named for the planning region are taken.
    // description: the page's instruction, or empty to keep the frame's.
    ParameterFilesPage(AppContext& context, const QString& name, const QString& caption,
                       bool regional, const QString& description, QWidget* parent);

    void Form_Activate() override;
    void KeepValuesForLater() override;

private:
    void Form_Load();
    // The region files must be named for; empty for any file.
    std::string Region();
    ParameterFileKind Kind(ParameterFileKind kind);
    int CheckedSite() const;

    bool regional_;
    QString descriptionText_;
    QLineEdit* textPrm_;
    QLineEdit* textPar_;
    QRadioButton* options_[5]{};  // 1..4
    QPushButton* commandPrmSet_;
    // The curve scale of a calculated site class (option 不明).
    double foundScale_ = 0;
};

}  // namespace mk::app
