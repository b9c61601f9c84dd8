#pragma once
// What the yield and the plan result windows have in common, in one place:
// the side panel of labels and buttons, the picture area (one diagram per
// site class or plan, each with its progress label, and the graph picture),
// paging through the six images, saving the picture shown, the all-image
// view, the table's exports (CSV, PDF, printing), running the computation
// once when the window is first shown, and the lock that keeps the user from
// changing anything while it runs.

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/app_context.h"
#include "app/widgets/picture_box.h"
#include "core/graphics/age_axis.h"
#include "core/graphics/recording_canvas.h"
#include "core/graphics/run_pictures.h"
#include "core/graphics/tee_canvas.h"
#include "core/tables/result_report.h"

class QGroupBox;
class QVBoxLayout;

namespace mk::app {

class ResultWindow : public QWidget {
    Q_OBJECT
public:
    ~ResultWindow() override;

    void Command_Back_Click();
    void Command_Next_Click();
    void Command_PictSave_Click();
    void Command_ALLDSP_Click();
    void OKButton_Click();
    void Command_CsvSave_Click();
    void Command_PdfOut_Click();
    void Command_Print_Click();
    // Option k of the frame (a site class or a plan) was chosen.
    virtual void Option_Click(int k) = 0;

    // The computation has run and finished (it runs once, on the first
    // showing).
    bool activated() const { return activated_ && !computing_; }
    bool computing() const { return computing_; }
    int resultPage() const { return resultPage_; }

    // The table the run wrote, as figures; empty when nothing was written
    // (the exports are then not offered).
    const ResultTable& table() const { return table_; }
    // The six pictures of diagram k (a site class or a plan) as drawings.
    virtual RunPictures PicturesOf(int k) const = 0;
    // The report of the whole run, for the PDF and the printer.
    virtual ResultReport Report() const = 0;

    // A further button for the side panel, below 全画像表示; it is locked
    // with the others while the computation runs.
    void AddPanelButton(QPushButton* button);

signals:
    // Emitted when the computation of the first showing has finished.
    void computationFinished();

protected:
    // diagramNames: the option texts of the frame, one diagram picture per
    // option (Picture1, Picture1_2, …, each with Label4, Label4_2, …).
    ResultWindow(AppContext& context, QWidget* parent, const QString& name,
                 const QString& frameTitle, const QStringList& optionTexts);

    // Runs the computation; the diagram pictures are hidden when it starts.
    // False when it was refused before it started (the refusal has been
    // shown): the window then closes.
    virtual bool Compute() = 0;
    // Draws age graph kind 1..5 of the shown series.
    virtual void DrawGraph(Canvas& canvas, int kind) = 0;
    // The diagram (1..count) of the site class or plan chosen now.
    virtual int ChosenDiagram() const = 0;
    // Writes the six images for the all-image view and fills its header.
    virtual bool ExportAllImages() = 0;
    // Whether the option frame can be used once the computation is done.
    virtual bool OptionsUsable() const { return true; }
    // Called once when the window goes away; the result-window flag of the
    // window's kind is cleared here.
    virtual void Form_Unload() = 0;

    // Called by the derived window's destructor (a base destructor cannot
    // reach the derived window's Form_Unload).
    void Unload();
    // Shows diagram k with its progress label and hides the others.
    void ShowDiagramOnly(int k);
    // The option chosen changed: the graph shown is drawn again for it, or
    // its diagram is shown.
    void ShowChosen();
    // The window closes as soon as it is shown (nothing to compute).
    void CloseAtOnce() { closeAtOnce_ = true; }
    // Draws the six images: the chosen diagram and graph kinds 1..5 as
    // DrawGraph draws them, titled firstTitle and the graph titles.
    bool ExportImages(const QString& firstTitle);

    int diagramCount() const { return static_cast<int>(diagrams_.size()) - 1; }
    PictureBox& Diagram(int k) { return *diagrams_[static_cast<std::size_t>(k)]; }
    QLabel& Progress(int k) { return *progress_[static_cast<std::size_t>(k)]; }
    QRadioButton& Option(int k) { return *options_[static_cast<std::size_t>(k)]; }
    PictureBox& VisiblePicture();

    // The surface a run draws diagram k's path on: the picture, and a
    // recording of the same strokes from which PicturesOf draws it again.
    // Starts a new recording.
    Canvas& RecordingDiagram(int k);
    // The strokes recorded on diagram k.
    const std::vector<DrawnPrimitive>& RecordedPath(int k) const {
        return paths_[static_cast<std::size_t>(k)].primitives();
    }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    AppContext& context_;
    AgeAxisSettings axis_;
    QLabel* label1_;
    QLabel* label2_;
    QLabel* label3_;
    QLabel* label5_;
    QGroupBox* frame1_;
    ResultTable table_;

private:
    void Form_Activate();
    void UpdatePageLabel();
    void SetControlsEnabled(bool enabled);
    void DrawPage();

    int resultPage_ = 0;
    bool activated_ = false;
    bool computing_ = false;
    bool closeRequested_ = false;
    bool unloaded_ = false;
    bool closeAtOnce_ = false;

    std::vector<PictureBox*> diagrams_;   // 1..count
    std::vector<QLabel*> progress_;       // 1..count
    std::vector<QRadioButton*> options_;  // 1..count
    std::vector<RecordingCanvas> paths_;  // 1..count
    std::vector<std::unique_ptr<TeeCanvas>> recorders_;
    PictureBox* picture2_;
    std::unique_ptr<ImageCanvas> picture3_;
    QVBoxLayout* panel_;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* save_;
    QPushButton* allDsp_;
    QPushButton* csv_;
    QPushButton* pdf_;
    QPushButton* print_;
    QPushButton* ok_;
    std::vector<QPushButton*> extraButtons_;
};

}  // namespace mk::app
