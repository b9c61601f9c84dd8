#pragma once
// The result window of a yield prediction table or a stand volume table: it
// runs the simulation when it is first shown (which writes the table file),
// then shows the density diagram with the stand's path and the five age
// graphs one at a time, saves the visible one as a bitmap, and opens all six
// side by side in the all-image view.

#include <memory>

#include "app/yield/result_window.h"

namespace mk::app {

class Dialog_Com3DSP : public ResultWindow {
    Q_OBJECT
public:
    Dialog_Com3DSP(AppContext& context, QWidget* parent = nullptr);
    ~Dialog_Com3DSP() override;

    // k = 1..3: the stand volume table of site class 上, 中 or 下.
    void Option_Click(int siteClass) override;

    // k: the site class of a stand volume table; the yield run has one.
    RunPictures PicturesOf(int k) const override;
    ResultReport Report() const override;

protected:
    bool Compute() override;
    void DrawGraph(Canvas& canvas, int kind) override;
    int ChosenDiagram() const override;
    bool ExportAllImages() override;
    bool OptionsUsable() const override { return volumeMode_; }
    void Form_Unload() override;

private:
    void Form_Load();
    // False when the run was refused before its first year.
    bool RunYieldTable();
    void RunVolumeTable();

    bool volumeMode_ = false;
    QString resultTitle_;
    // The records and result arrays as the run left them: the plan runs
    // share the arrays and the planning wizard clears the run record, so the
    // graphs are drawn from this copy.
    std::unique_ptr<Workspace> computed_;
};

}  // namespace mk::app
