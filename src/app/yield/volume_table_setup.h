#pragma once
// The setup of a stand volume table: the PRM, PAR and HNP files, the last
// two fitted to the same survey data.

#include <QDialog>
#include <QLineEdit>

#include "app/app_context.h"

class QPushButton;

namespace mk::app {

class Dialog_Com4_01 : public QDialog {
    Q_OBJECT
public:
    Dialog_Com4_01(AppContext& context, QWidget* parent = nullptr);

    void Command_PRMSet_Click();
    void Command_PARSet_Click();
    void Command_HNPSet_Click();
    void OKButton_Click();
    void CancelButton_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();

    AppContext& context_;
    QLineEdit* textPrm_;
    QLineEdit* textPar_;
    QLineEdit* textHnp_;
    QPushButton* commandPrmSet_;
    bool activated_ = false;
};

// Clears the run, empties the remembered HNP name and shows the setup; true
// when it was decided (RunSettings then holds the three files).
bool RunVolumeTableSetup(AppContext& context, QWidget* parent);

}  // namespace mk::app
