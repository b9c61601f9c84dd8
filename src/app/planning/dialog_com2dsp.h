#pragma once
// The plan result window: it runs the five plans when it is first shown
// (which writes the plan table file), then shows the density diagram with
// the chosen plan's path and the plan's five age graphs one at a time,
// saves the visible one as a bitmap, and opens all six in the all-image
// view.

#include <memory>

#include "app/yield/result_window.h"
#include "core/planning/plan_simulation.h"

namespace mk::app {

class Dialog_Com2DSP : public ResultWindow {
    Q_OBJECT
public:
    Dialog_Com2DSP(AppContext& context, QWidget* parent = nullptr);
    ~Dialog_Com2DSP() override;

    // k = 1..5: the plan with k thinnings.
    void Option_Click(int plan) override;
    int selectedPlan() const { return plan_; }

    RunPictures PicturesOf(int plan) const override;
    ResultReport Report() const override;

protected:
    bool Compute() override;
    void DrawGraph(Canvas& canvas, int kind) override;
    int ChosenDiagram() const override { return plan_; }
    bool ExportAllImages() override;
    void Form_Unload() override;

private:
    void Form_Load();

    int plan_ = 1;
    // The records and result arrays as the plans left them: the yield and
    // stand volume runs share the arrays, so the graphs are drawn from this
    // copy and stay those of the plans whatever runs later.
    std::unique_ptr<Workspace> planned_;
};

}  // namespace mk::app
