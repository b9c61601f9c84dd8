#pragma once
// Page 3 of the yield prediction wizard: where the run starts (a planting
// or the stand as it is now) and its end year, with the current stand's
// values shown live while the bars move.

#include "app/widgets/scroll_row.h"
#include "app/widgets/wizard_page.h"

class QLineEdit;

namespace mk::app {

class Dialog_Com3_03 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com3_03(AppContext& context, QWidget* parent = nullptr);

    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll3_Change();
    void HScroll4_Change();
    void OKButton_Click() override;

protected:
    void KeepValuesForLater() override;

private:
    void Form_Load();
    // The stored value when it lies in minimum..maximum, else first.
    static int Remembered(int stored, int minimum, int maximum, int first);
    // The range at the current height; remembered (0: none) is kept when
    // the range allows.
    void SetStemRange(int remembered);
    void RefreshDisplay();

    ScrollRow* planting_;
    ScrollRow* age_;
    ScrollRow* stems_;
    ScrollRow* endYear_;
    QWidget* display_;
    QLineEdit* text_[7]{};  // 1..6
    bool loading_ = true;
};

}  // namespace mk::app
