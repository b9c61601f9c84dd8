#include "app/planning/dialog_com2dsp.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTemporaryFile>
#include <QTimer>
#include <QVBoxLayout>

#include "app/exports/export_actions.h"
#include "app/yield/mdiform_allview.h"
#include "app/yield/result_window_common.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/graphics/tee_canvas.h"
#include "core/planning/plan_graphs.h"
#include "core/planning/plan_table.h"
#include "core/text/file_errors.h"
#include "core/text/text_compare.h"
#include "render/bmp_file.h"
#include "render/report_pages.h"

namespace mk::app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr const char* kPlansNotSaved =
    "計画表のファイルは保存されていません。\r\n表示している計画はファイルに残りません。";

// Whether a file can be created in the folder of path (a temporary one is
// made and removed again).
bool CanCreateFileBeside(const std::string& path) {
    QTemporaryFile probe(QFileInfo(QString::fromStdString(path)).absolutePath() +
                         QStringLiteral("/.morikoyomi_XXXXXX"));
    return probe.open();
}

QString NumberedName(const char* base, int k) {
    if (k == 1) return QString::fromLatin1(base);
    return QString::fromLatin1(base) + QStringLiteral("_%1").arg(k);
}

}  // namespace

Dialog_Com2DSP::Dialog_Com2DSP(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context) {
    setObjectName(QStringLiteral("Dialog_Com2DSP"));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    Form_Load();
}

Dialog_Com2DSP::~Dialog_Com2DSP() { Form_Unload(); }

void Dialog_Com2DSP::BuildControls() {
    frame1_ = new QGroupBox(QStringLiteral("間伐回数"), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    auto* plans = new QHBoxLayout(frame1_);
    for (int k = 1; k <= kPlanCount; ++k) {
        options_[k] = new QRadioButton(QString::number(k), frame1_);
        options_[k]->setObjectName(QStringLiteral("Option%1").arg(k));
        plans->addWidget(options_[k]);
        connect(options_[k], &QRadioButton::clicked, this, [this, k] { Option_Click(k); });
    }

    const ResultSidePanel panel = BuildResultSidePanel(this, frame1_);
    label1_ = panel.label1;
    label2_ = panel.label2;
    label3_ = panel.label3;
    label5_ = panel.label5;
    back_ = panel.back;
    next_ = panel.next;
    save_ = panel.save;
    allDsp_ = panel.allDsp;
    csv_ = panel.csv;
    pdf_ = panel.pdf;
    print_ = panel.print;
    ok_ = panel.ok;

    // The five diagrams and the graph picture share one place; each plan's
    // age label shows how far its run has come.
    auto* pictures = new QWidget(this);
    pictures->setFixedSize(kCanvasWidth, kCanvasHeight);
    auto* progress = new QVBoxLayout();
    for (int k = 1; k <= kPlanCount; ++k) {
        picture1_[k] = new PictureBox(pictures, NumberedName("Picture1", k));
        picture1_[k]->move(0, 0);
        label4_[k] = new QLabel(this);
        label4_[k]->setObjectName(NumberedName("Label4", k));
        label4_[k]->setMinimumWidth(150);
        progress->addWidget(label4_[k]);
    }
    progress->addStretch();
    picture2_ = new PictureBox(pictures, QStringLiteral("Picture2"));
    picture2_->move(0, 0);
    // The work surface of the all-image export is never shown.
    picture3_ = std::make_unique<ImageCanvas>();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(panel.layout);
    layout->addWidget(pictures);
    layout->addLayout(progress);

    connect(back_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_Back_Click);
    connect(next_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_Next_Click);
    connect(save_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_PictSave_Click);
    connect(allDsp_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_ALLDSP_Click);
    connect(ok_, &QPushButton::clicked, this, &Dialog_Com2DSP::OKButton_Click);
    connect(csv_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_CsvSave_Click);
    connect(pdf_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_PdfOut_Click);
    connect(print_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_Print_Click);
}

void Dialog_Com2DSP::Form_Load() {
    Workspace& ws = context_.ws;
    activated_ = false;
    setWindowTitle(Q(PlanWindowCaption()));
    for (int k = 1; k <= kPlanCount; ++k) {
        picture1_[k]->canvas().Clear();
        label4_[k]->clear();
    }
    picture2_->canvas().Clear();
    picture3_->Clear();
    resultPage_ = 0;
    label1_->setText(Q(PlanFileLabel(ws)));
    label2_->setText(Q(PlanSiteLabel(ws)));
    plan_ = 1;
    label3_->setText(Q(PlanNumberLabel(plan_)));
    PreparePlanRun(ws);
    frame1_->show();
    frame1_->setEnabled(true);
    options_[1]->setChecked(true);
    // A diagram of an unknown type is refused before any file is named, and
    // a window with no free file name closes without computing anything.
    if (!PlanDiagramTypeValid(ws, context_.messages())) {
        closeAtOnce_ = true;
        return;
    }
    const std::string path = PlanTableFileName(ws, context_.messages());
    if (path.empty()) {
        closeAtOnce_ = true;
        return;
    }
    // The plans are worth computing only if their table can be saved: a
    // folder that takes no file gives the work up before it starts.
    if (!CanCreateFileBeside(path)) {
        ReportWriteFailure(context_.messages(), path);
        closeAtOnce_ = true;
        return;
    }
    OpenPlanTable(ws, path);
}

void Dialog_Com2DSP::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activated_ || computing_) return;
    // The plans run once the window is on the screen, outside the event
    // that showed it.
    QTimer::singleShot(0, this, [this] {
        if (closeAtOnce_) {
            close();
            return;
        }
        if (!activated_) Form_Activate();
    });
}

void Dialog_Com2DSP::SetControlsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(back_), static_cast<QWidget*>(next_),
                       static_cast<QWidget*>(save_), static_cast<QWidget*>(allDsp_),
                       static_cast<QWidget*>(ok_), static_cast<QWidget*>(frame1_)}) {
        w->setEnabled(enabled);
    }
    // The exports need a table that was written.
    for (QWidget* w : {csv_, pdf_, print_}) w->setEnabled(enabled && !table_.Empty());
}

void Dialog_Com2DSP::Form_Activate() {
    Workspace& ws = context_.ws;
    activated_ = true;
    computing_ = true;
    context_.computationRunning = true;
    // Nothing the user does may change the pictures or the records while
    // the plans use them.
    SetControlsEnabled(false);
    for (int k = 1; k <= kPlanCount; ++k) picture1_[k]->hide();
    picture2_->hide();
    label4_[1]->show();
    for (int k = 2; k <= kPlanCount; ++k) label4_[k]->hide();
    resultPage_ = 0;
    UpdatePageLabel();

    std::array<Canvas*, kPlanCount> canvases{};
    std::vector<std::unique_ptr<TeeCanvas>> both;
    for (int k = 1; k <= kPlanCount; ++k) {
        DrawDensityDiagram(picture1_[k]->canvas(), ws.Diagram);
        paths_[k] = RecordingCanvas{};
        both.push_back(std::make_unique<TeeCanvas>(picture1_[k]->canvas(), paths_[k]));
        canvases[k - 1] = both.back().get();
    }
    PlanRunCallbacks callbacks;
    callbacks.planStarting = [this](int k) {
        // Each plan shows its own progress beside its own diagram.
        for (int j = 1; j <= kPlanCount; ++j) label4_[j]->setVisible(j == k);
        picture1_[k]->show();
        picture1_[k]->Refresh();
    };
    callbacks.ageLabel = [this](int k, const std::string& caption) {
        label4_[k]->setText(Q(caption));
        picture1_[k]->Refresh();
    };
    callbacks.planFinished = [this](int k) {
        picture1_[k]->Refresh();
        picture1_[k]->hide();
        activateWindow();
    };
    if (RunPlans(ws, canvases, callbacks, context_.messages(), *context_.services.pump)) {
        if (ClosePlanTable(ws, context_.messages())) {
            table_ = ws.LastTable;
        } else {
            // The plans are still shown, but the user must not think they are on disk.
            context_.messages().Show(kPlansNotSaved, windowTitle().toStdString(),
                                     MessageIcon::Warning);
            label1_->setText(label1_->text() + QStringLiteral("（計画表は保存されていません）"));
        }
    }

    planned_ = std::make_unique<Workspace>(ws);
    plan_ = 1;
    ShowPlanDiagram(plan_);
    picture2_->hide();
    computing_ = false;
    context_.computationRunning = false;
    SetControlsEnabled(true);
    back_->setEnabled(false);
    next_->setEnabled(true);
    emit computationFinished();
    if (closeRequested_) close();
}

void Dialog_Com2DSP::ShowPlanDiagram(int plan) {
    for (int k = 1; k <= kPlanCount; ++k) {
        picture1_[k]->hide();
        label4_[k]->hide();
    }
    picture1_[plan]->show();
    label4_[plan]->show();
}

PictureBox& Dialog_Com2DSP::VisiblePicture() {
    if (resultPage_ > 0) return *picture2_;
    return *picture1_[plan_];
}

void Dialog_Com2DSP::DrawPage(int kind) {
    if (!planned_) return;
    DrawPlanGraph(picture2_->canvas(), kind, *planned_, plan_, axis_);
    picture2_->Refresh();
}

void Dialog_Com2DSP::UpdatePageLabel() { label5_->setText(Q(PlanImageCounter(resultPage_))); }

void Dialog_Com2DSP::Command_Next_Click() {
    if (!activated_ || computing_ || resultPage_ >= 5) return;
    ++resultPage_;
    if (resultPage_ == 1) {
        for (int k = 1; k <= kPlanCount; ++k) picture1_[k]->hide();
        picture2_->show();
        back_->setEnabled(true);
    }
    DrawPage(resultPage_);
    if (resultPage_ == 5) next_->setEnabled(false);
    UpdatePageLabel();
}

void Dialog_Com2DSP::Command_Back_Click() {
    if (!activated_ || computing_ || resultPage_ <= 0) return;
    --resultPage_;
    next_->setEnabled(true);
    if (resultPage_ > 0) {
        back_->setEnabled(true);
        DrawPage(resultPage_);
    } else {
        back_->setEnabled(false);
        picture2_->hide();
        ShowPlanDiagram(plan_);
    }
    UpdatePageLabel();
}

void Dialog_Com2DSP::Option_Click(int plan) {
    if (computing_) return;
    plan_ = plan;
    label3_->setText(Q(PlanNumberLabel(plan)));
    if (resultPage_ > 0) {
        DrawPage(resultPage_);
    } else {
        ShowPlanDiagram(plan);
    }
}

void Dialog_Com2DSP::Command_PictSave_Click() {
    if (computing_ || !planned_) return;
    const RunPictures pictures = PicturesOf(plan_);
    const int page = resultPage_;
    SavePictureAs(
        context_, this, VisiblePicture().canvas(),
        [&pictures, page](Canvas& surface) { DrawRunPicture(surface, pictures, page); },
        RunPictureTitle(page));
}

RunPictures Dialog_Com2DSP::PicturesOf(int plan) const {
    const Workspace& ws = planned_ ? *planned_ : context_.ws;
    const int k = std::clamp(plan, 1, kPlanCount);
    return RunPictures{ws.Diagram, paths_[k].primitives(), PlanGraphs(ws, k)};
}

ResultReport Dialog_Com2DSP::Report() const {
    const Workspace& ws = planned_ ? *planned_ : context_.ws;
    std::vector<RunPictures> pictures;
    for (int k = 1; k <= kPlanCount; ++k) pictures.push_back(PicturesOf(k));
    return PlanRunReport(ws.Run, ws.CurrentStand, ws.Plan, table_, std::move(pictures),
                         ReportDateText());
}

void Dialog_Com2DSP::Command_CsvSave_Click() {
    if (computing_) return;
    SaveTableCsvAs(context_, this, table_);
}

void Dialog_Com2DSP::Command_PdfOut_Click() {
    if (computing_ || table_.Empty()) return;
    SaveReportPdfAs(context_, this, Report());
}

void Dialog_Com2DSP::Command_Print_Click() {
    if (computing_ || table_.Empty()) return;
    PrintReport(context_, this, Report());
}

bool Dialog_Com2DSP::ExportAllImages() {
    const Workspace& ws = *planned_;
    const auto draw = [this, &ws](ImageCanvas& picture, int kind) {
        DrawPlanGraph(picture, kind, ws, plan_, axis_);
    };
    if (!ExportAllViewImages(context_, picture1_[plan_]->canvas(), *picture3_, draw,
                             QStringLiteral("収穫予測")))
        return false;
    context_.allView.AllViewHeader = Q(PlanAllImageCaption(ws, plan_));
    return true;
}

void Dialog_Com2DSP::Command_ALLDSP_Click() {
    if (computing_ || !planned_) return;
    // The view outlives this window when the user closes it first, so it
    // belongs to the main window.
    OpenAllImageView(context_, parentWidget(), [this] { return ExportAllImages(); });
}

void Dialog_Com2DSP::OKButton_Click() { close(); }

void Dialog_Com2DSP::closeEvent(QCloseEvent* event) {
    if (computing_) {
        // Closing waits for the running plans, which draw on this window's
        // pictures; the window closes as soon as they have finished.
        closeRequested_ = true;
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void Dialog_Com2DSP::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    // A plan table that was never computed is not written as an empty file.
    // Once the plans have run they have closed their table, and a table open
    // now belongs to the yield window's run.
    if (!activated_ && context_.ws.OutputFile.IsOpen()) DiscardPlanTable(context_.ws);
    context_.flags.PlanWindowOpen = 0;
}

}  // namespace mk::app
