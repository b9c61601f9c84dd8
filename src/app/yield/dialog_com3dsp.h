#pragma once
// The result window of a yield prediction table or a stand volume table: it
// runs the simulation when it is first shown (which writes the table file),
// then shows the density diagram with the stand's path and the five age
// graphs one at a time, saves the visible one as a bitmap, and opens all six
// side by side in the all-image view.

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
#include "core/tables/result_report.h"

class QGroupBox;

namespace mk::app {

class Dialog_Com3DSP : public QWidget {
    Q_OBJECT
public:
    Dialog_Com3DSP(AppContext& context, QWidget* parent = nullptr);
    ~Dialog_Com3DSP() override;

    void Command_Back_Click();
    void Command_Next_Click();
    void Command_PictSave_Click();
    void Command_ALLDSP_Click();
    void OKButton_Click();
    void Option_Click(int siteClass);
    void Command_CsvSave_Click();
    void Command_PdfOut_Click();
    void Command_Print_Click();

    // The table the run wrote, as figures; empty when nothing was written.
    const ResultTable& table() const { return table_; }

    // The computation has run (it runs once, on the first showing).
    bool activated() const { return activated_; }
    int resultPage() const { return resultPage_; }

signals:
    // Emitted when the computation of the first showing has finished.
    void computationFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    // False when the run was refused before its first year.
    bool RunYieldTable();
    void RunVolumeTable();
    void DrawPage(PictureBox& picture, int kind);
    PictureBox& DiagramPicture(int siteClass);
    PictureBox& VisiblePicture();
    void ShowDiagramOnly(int siteClass);
    void UpdatePageLabel();
    void SetControlsEnabled(bool enabled);
    bool ExportAllImages();
    // The six pictures of the yield run, or of one site class, as drawings.
    RunPictures PicturesOf(int siteClass) const;
    ResultReport Report() const;

    AppContext& context_;
    bool volumeMode_ = false;
    QString resultTitle_;
    int resultPage_ = 0;
    bool activated_ = false;
    bool computing_ = false;
    bool closeRequested_ = false;
    bool unloaded_ = false;
    bool closeAtOnce_ = false;
    AgeAxisSettings axis_;
    // The records and result arrays as the run left them: the plan runs
    // share the arrays and the planning wizard clears the run record, so the
    // graphs are drawn from this copy.
    std::unique_ptr<Workspace> computed_;
    // The stand's path on each diagram as the run drew it (1..3), for the
    // pictures drawn again as vectors.
    RecordingCanvas paths_[4];
    ResultTable table_;

    QLabel* label1_;
    QLabel* label2_;
    QLabel* label3_;
    QLabel* label5_;
    QLabel* label4_[4]{};  // 1..3
    QGroupBox* frame1_;
    QRadioButton* options_[4]{};  // 1..3
    PictureBox* picture1_[4]{};   // 1..3: Picture1, Picture1_2, Picture1_3
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
