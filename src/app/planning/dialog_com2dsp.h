#pragma once
// The plan result window: it runs the five plans when it is first shown
// (which writes the plan table file), then shows the density diagram with
// the chosen plan's path and the plan's five age graphs one at a time,
// saves the visible one as a bitmap, and opens all six in the all-image
// view.

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>

#include "app/app_context.h"
#include "app/widgets/picture_box.h"
#include "core/graphics/age_axis.h"
#include "core/graphics/recording_canvas.h"
#include "core/graphics/run_pictures.h"
#include "core/planning/plan_simulation.h"
#include "core/tables/result_report.h"

class QGroupBox;

namespace mk::app {

class Dialog_Com2DSP : public QWidget {
    Q_OBJECT
public:
    Dialog_Com2DSP(AppContext& context, QWidget* parent = nullptr);
    ~Dialog_Com2DSP() override;

    void Command_Back_Click();
    void Command_Next_Click();
    void Command_PictSave_Click();
    void Command_ALLDSP_Click();
    void OKButton_Click();
    void Option_Click(int plan);
    void Command_CsvSave_Click();
    void Command_PdfOut_Click();
    void Command_Print_Click();

    // The plan table the runs wrote, as figures; empty when nothing was
    // written.
    const ResultTable& table() const { return table_; }

    // The five plans have run (they run once, on the first showing).
    bool activated() const { return activated_ && !computing_; }
    int resultPage() const { return resultPage_; }
    int selectedPlan() const { return plan_; }

signals:
    void computationFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void DrawPage(int kind);
    void ShowPlanDiagram(int plan);
    PictureBox& VisiblePicture();
    void UpdatePageLabel();
    void SetControlsEnabled(bool enabled);
    bool ExportAllImages();
    // The six pictures of one plan as drawings.
    RunPictures PicturesOf(int plan) const;
    ResultReport Report() const;

    AppContext& context_;
    int resultPage_ = 0;
    int plan_ = 1;
    bool activated_ = false;
    bool computing_ = false;
    bool closeRequested_ = false;
    bool unloaded_ = false;
    bool closeAtOnce_ = false;
    AgeAxisSettings axis_;
    // The records and result arrays as the plans left them: the yield and
    // stand volume runs share the arrays, so the graphs are drawn from this
    // copy and stay those of the plans whatever runs later.
    std::unique_ptr<Workspace> planned_;
    // Each plan's path on its diagram as the run drew it (1..5), for the
    // pictures drawn again as vectors.
    RecordingCanvas paths_[kPlanCount + 1];
    ResultTable table_;

    QLabel* label1_;
    QLabel* label2_;
    QLabel* label3_;
    QLabel* label5_;
    QLabel* label4_[kPlanCount + 1]{};  // 1..5
    QGroupBox* frame1_;
    QRadioButton* options_[kPlanCount + 1]{};  // 1..5
    PictureBox* picture1_[kPlanCount + 1]{};   // 1..5: Picture1, Picture1_2 … Picture1_5
    PictureBox* picture2_;
    std::unique_ptr<ImageCanvas> picture3_;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* save_;
    QPushButton* allDsp_;
    QPushButton* csv_;
    QPushButton* pdf_;
    QPushButton* print_;
    QPushButton* ok_;
};

}  // namespace mk::app
