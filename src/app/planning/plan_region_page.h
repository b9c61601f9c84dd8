#pragma once
// Planning page 2: the region. It enters no calculation; it limits the
// parameter files of the next page to those named for the region.

#include <QLabel>
#include <QListWidget>

#include "app/widgets/wizard_page.h"

namespace mk::app {

class Dialog_Com2_02 : public WizardPage {
    Q_OBJECT
public:
    Dialog_Com2_02(AppContext& context, QWidget* parent = nullptr);

    void List1_Click();
    void OKButton_Click() override;

protected:
    void KeepValuesForLater() override;

    // The 47 prefectures in the order of the list.
    static const QStringList& Regions();

private:
    void Store();
    void Form_Load();

    QListWidget* list1_;
    QLabel* label2_;
    int shownRow_ = -1;
};

}  // namespace mk::app
