#include "app/planning/dialog_com2dsp.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QTemporaryFile>
#include <algorithm>
#include <array>

#include "core/graphics/density_diagram_frame.h"
#include "core/planning/plan_graphs.h"
#include "core/planning/plan_table.h"
#include "core/text/file_errors.h"
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

QStringList PlanOptionTexts() {
    QStringList texts;
    for (int k = 1; k <= kPlanCount; ++k) texts << QString::number(k);
    return texts;
}

}  // namespace

Dialog_Com2DSP::Dialog_Com2DSP(AppContext& context, QWidget* parent)
    : ResultWindow(context, parent, QStringLiteral("Dialog_Com2DSP"), QStringLiteral("間伐回数"),
                   PlanOptionTexts()) {
    Form_Load();
}

Dialog_Com2DSP::~Dialog_Com2DSP() { Unload(); }

void Dialog_Com2DSP::Form_Load() {
    Workspace& ws = context_.ws;
    setWindowTitle(Q(PlanWindowCaption()));
    label1_->setText(Q(PlanFileLabel(ws)));
    label2_->setText(Q(PlanSiteLabel(ws)));
    plan_ = 1;
    label3_->setText(Q(PlanNumberLabel(plan_)));
    PreparePlanRun(ws);
    frame1_->show();
    frame1_->setEnabled(true);
    Option(1).setChecked(true);
    // A diagram of an unknown type is refused before any file is named, and
    // a window with no free file name closes without computing anything.
    if (!PlanDiagramTypeValid(ws, context_.messages())) {
        CloseAtOnce();
        return;
    }
    const std::string path = PlanTableFileName(ws, context_.messages());
    if (path.empty()) {
        CloseAtOnce();
        return;
    }
    // The plans are worth computing only if their table can be saved: a
    // folder that takes no file gives the work up before it starts.
    if (!CanCreateFileBeside(path)) {
        ReportWriteFailure(context_.messages(), path);
        CloseAtOnce();
        return;
    }
    OpenPlanTable(ws, path);
}

bool Dialog_Com2DSP::Compute() {
    Workspace& ws = context_.ws;
    std::array<Canvas*, kPlanCount> canvases{};
    for (int k = 1; k <= kPlanCount; ++k) {
        DrawDensityDiagram(Diagram(k).canvas(), ws.Diagram);
        canvases[k - 1] = &RecordingDiagram(k);
    }
    PlanRunCallbacks callbacks;
    callbacks.planStarting = [this](int k) {
        // Each plan shows its own progress beside its own diagram.
        for (int j = 1; j <= kPlanCount; ++j) Progress(j).setVisible(j == k);
        Diagram(k).show();
        Diagram(k).Refresh();
    };
    callbacks.ageLabel = [this](int k, const std::string& caption) {
        Progress(k).setText(Q(caption));
        Diagram(k).Refresh();
    };
    callbacks.planFinished = [this](int k) {
        Diagram(k).Refresh();
        Diagram(k).hide();
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
    ShowDiagramOnly(plan_);
    return true;
}

void Dialog_Com2DSP::DrawGraph(Canvas& canvas, int kind) {
    if (!planned_) return;
    DrawPlanGraph(canvas, kind, *planned_, plan_, axis_);
}

void Dialog_Com2DSP::Option_Click(int plan) {
    if (computing()) return;
    plan_ = plan;
    label3_->setText(Q(PlanNumberLabel(plan)));
    ShowChosen();
}

RunPictures Dialog_Com2DSP::PicturesOf(int plan) const {
    const Workspace& ws = planned_ ? *planned_ : context_.ws;
    const int k = std::clamp(plan, 1, kPlanCount);
    return RunPictures{ws.Diagram, RecordedPath(k), PlanGraphs(ws, k)};
}

ResultReport Dialog_Com2DSP::Report() const {
    const Workspace& ws = planned_ ? *planned_ : context_.ws;
    std::vector<RunPictures> pictures;
    for (int k = 1; k <= kPlanCount; ++k) pictures.push_back(PicturesOf(k));
    return PlanRunReport(ws.Run, ws.CurrentStand, ws.Plan, table_, std::move(pictures),
                         ReportDateText());
}

bool Dialog_Com2DSP::ExportAllImages() {
    if (!planned_ || !ExportImages(QStringLiteral("収穫予測"))) return false;
    context_.allView.AllViewHeader = Q(PlanAllImageCaption(*planned_, plan_));
    return true;
}

void Dialog_Com2DSP::Form_Unload() {
    // A plan table that was never computed is not written as an empty file.
    // Once the plans have run they have closed their table, and a table open
    // now belongs to the yield window's run.
    if (!planned_ && !computing() && context_.ws.OutputFile.IsOpen()) DiscardPlanTable(context_.ws);
    context_.flags.PlanWindowOpen = 0;
}

}  // namespace mk::app
