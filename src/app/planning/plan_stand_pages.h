#pragma once
// The two stand pages of the planning wizard: the stand as it is now
// (Dialog_Com2_04, shown when the state is known) and the target stand
// (Dialog_Com2_05, shown when a target is decided). Both choose an age and
// a stem number with bars or typed numbers and show the stand's height,
// diameter, volume, yield index, slenderness and estimated planting density
// as they change.

#include <QLineEdit>

#include "app/widgets/scroll_row.h"
#include "app/widgets/wizard_page.h"
#include "core/planning/plan_pages.h"

namespace mk::app {

class PlanStandPage : public WizardPage {
    Q_OBJECT
public:
    ~PlanStandPage() override;
    void HScroll1_Change();
    void HScroll3_Change();
    void Text1_Change();
    void Text1_LostFocus();
    void Text3_Change();
    void Text3_LostFocus();

    const PlanStand& stand() const { return stand_; }

protected:
    PlanStandPage(AppContext& context, const QString& name, QWidget* parent);

    // Dominant height at an age, the stem-number bar's range at a height
    // and the stand the boxes show.
    virtual std::optional<double> HeightAt(int age) = 0;
    virtual BarRange StemRange(double height) = 0;
    virtual PlanStand StandOf(int age, double height, double stems) = 0;

    // Sets up the age bar and then the stems bar at the given values.
    void LoadBars(const BarRange& ages, int age, std::optional<int> stems);

    ScrollRow* age_;
    ScrollRow* stems_;
    QLineEdit* text_[9]{};  // 1..8; 1 and 3 are the boxes of the bars
    double height_ = 0;
    PlanStand stand_;
    bool loading_ = true;

private:
    void SetStemRange(int value);
    void TypedIntoBox(ScrollRow& row, bool leaving);
};

class Dialog_Com2_04 : public PlanStandPage {
    Q_OBJECT
public:
    Dialog_Com2_04(AppContext& context, QWidget* parent = nullptr);
    void OKButton_Click() override;

protected:
    void KeepValuesForLater() override;

protected:
    std::optional<double> HeightAt(int age) override;
    BarRange StemRange(double height) override;
    PlanStand StandOf(int age, double height, double stems) override;

private:
    void Form_Load();
    // Puts the stand the page shows into the records.
    void Store();
};

class Dialog_Com2_05 : public PlanStandPage {
    Q_OBJECT
public:
    Dialog_Com2_05(AppContext& context, QWidget* parent = nullptr);
    void OKButton_Click() override;

protected:
    void KeepValuesForLater() override;

protected:
    std::optional<double> HeightAt(int age) override;
    BarRange StemRange(double height) override;
    PlanStand StandOf(int age, double height, double stems) override;

private:
    void Form_Load();
    // Puts the stand the page shows into the records.
    void Store();
};

}  // namespace mk::app
