#pragma once
// Page 4 of the yield prediction wizard for the thinning methods 1 to 3:
// how many thinnings, then for each its age, height or diameter and its
// rate, starting from the program's proposal; ends with a confirmation.

#include <QDialog>
#include <QFrame>
#include <QScrollBar>

#include "app/widgets/scroll_row.h"
#include "app/widgets/wizard_page.h"
#include "core/yield/thinning_proposal.h"

namespace mk::app {

// What the per-thinning dialog is given and gives back.
struct ThinningEntry {
    int number = 1;
    QString caption;   // the method title
    QString keyLabel;  // "林齢", "上層樹高", "胸高直径"
    double keyValue = 0;
    double keyMinimum = 0;
    double keyMaximum = 0;
    double rateValue = 0;
    int keyScale = 1;
    bool ok = false;
};

// "0.0" for scale 10, "0.00" for 100, "0" otherwise.
const char* ScaleFormat(int scale);

class Dialog_Com3_04_1Ext : public QDialog {
    Q_OBJECT
public:
    Dialog_Com3_04_1Ext(ThinningEntry& entry, QWidget* parent = nullptr);

    void HScroll1_Change();
    void HScroll2_Change();
    void OKButton_Click();

private:
    ThinningEntry& entry_;
    ScrollRow* key_;
    ScrollRow* rate_;
};

class Dialog_Com3_04_1 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com3_04_1(AppContext& context, QWidget* parent = nullptr);

    void HScroll00_Change();
    void Command1_Click();
    void VScroll1_Change();
    void OKButton_Click() override;

private:
    void Form_Load();
    // Hides the count row and shows the panel for count thinnings, empty.
    void ShowPanel(int count);
    // The decided state of a schedule already in the run record.
    void ShowDecided(int count);
    void Decide();
    void StartAgain();
    void ShowRow(int row, int thinning);

    QLabel* label0_;
    QLineEdit* textTryNum_;
    QScrollBar* hscroll00_;
    QPushButton* command1_;
    QFrame* picture1_;
    QLabel* label99_;
    QLabel* rowLabel_[4]{};    // 1..3
    QLineEdit* keyBox_[4]{};   // Text1..Text3
    QLineEdit* rateBox_[4]{};  // Text4..Text6
    QScrollBar* vscroll1_;
    int countChosen_ = 1;
    int enteredCount_ = 0;
    int keyScale_ = 1;
    QString methodTitle_;
    QString keyLabel_;
};

}  // namespace mk::app
