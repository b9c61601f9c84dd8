#include "app/yield/dialog_com3dsp.h"

#include <QGroupBox>
#include <algorithm>

#include "core/graphics/age_graph.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/model/site_class.h"
#include "core/text/paths.h"
#include "core/yield/stand_volume_run.h"
#include "core/yield/table_calc.h"
#include "core/yield/table_report.h"
#include "render/report_pages.h"

namespace mk::app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Dialog_Com3DSP::Dialog_Com3DSP(AppContext& context, QWidget* parent)
    : ResultWindow(context, parent, QStringLiteral("Dialog_Com3DSP"), QStringLiteral("地位"),
                   {QStringLiteral("上"), QStringLiteral("中"), QStringLiteral("下")}) {
    volumeMode_ = context_.flags.ResultMode == 1;
    Form_Load();
}

Dialog_Com3DSP::~Dialog_Com3DSP() { Unload(); }

void Dialog_Com3DSP::Form_Load() {
    Workspace& ws = context_.ws;
    resultTitle_ =
        volumeMode_ ? QStringLiteral("林分材積表の作成") : QStringLiteral("収穫予測表の作成");
    setWindowTitle(QStringLiteral("システム収穫表：杜の暦『構想』－") + resultTitle_);
    label1_->setText(QStringLiteral("ファイル：") +
                     Q(FileNamePart(ws.HeightCurve.HeightCurveSource)));
    if (volumeMode_) {
        label2_->setText(QStringLiteral("地位：") + Q(SiteClassName(1)));
        label3_->hide();
        frame1_->show();
        frame1_->setEnabled(true);
        Option(1).setChecked(true);
        // A diagram of an unknown type is refused before any file is made.
        if (!CheckDiagramType(ws.Diagram, "TABLECALC", context_.messages()) ||
            !OpenVolumeTableFile(ws, context_.messages())) {
            CloseAtOnce();
            return;
        }
        PrepareRunSettings(ws);
    } else {
        label2_->setText(QStringLiteral("地位：") +
                         Q(SiteClassName(ws.Run.SiteClass, ws.CurrentStand.SiteText)));
        label3_->setText(QStringLiteral("間伐方式：") +
                         Q(ThinningMethodName(ws.Run.ThinningMethod)));
        label3_->show();
        frame1_->hide();
        frame1_->setEnabled(false);
        PrepareRunSettings(ws);
    }
}

bool Dialog_Com3DSP::Compute() {
    // A stand volume table refused before it starts never gets here.
    const bool ran = volumeMode_ ? (RunVolumeTable(), true) : RunYieldTable();
    computed_ = std::make_unique<Workspace>(context_.ws);
    return ran;
}

bool Dialog_Com3DSP::RunYieldTable() {
    Workspace& ws = context_.ws;
    PictureBox& picture = Diagram(1);
    DrawDensityDiagram(picture.canvas(), ws.Diagram);
    picture.show();
    picture.Refresh();
    const TableCalcOutcome outcome = TABLECALC(
        ws, kYieldTableMode, RecordingDiagram(1),
        [this, &picture](const std::string& text) {
            Progress(1).setText(Q(text));
            picture.Refresh();
        },
        context_.messages(), *context_.services.pump);
    if (!outcome.writtenPath.empty()) table_ = ws.LastTable;
    picture.Refresh();
    picture.hide();
    activateWindow();
    return outcome.started;
}

void Dialog_Com3DSP::RunVolumeTable() {
    Workspace& ws = context_.ws;
    for (int k = 1; k <= 3; ++k) DrawDensityDiagram(Diagram(k).canvas(), ws.Diagram);
    for (int k = 1; k <= 3; ++k) {
        PictureBox& picture = Diagram(k);
        picture.show();
        Progress(k).show();
        RunVolumeTableSiteClass(
            ws, k, RecordingDiagram(k),
            [this, k, &picture](const std::string& text) {
                // All three lines stay in view: each says whose run it is.
                Progress(k).setText(QStringLiteral("地位：") + Q(SiteClassName(k)) + Q(text));
                picture.Refresh();
            },
            context_.messages(), *context_.services.pump);
        picture.Refresh();
        picture.hide();
        activateWindow();
    }
    if (ws.OutputFile.IsOpen() && !CloseTableFile(ws, context_.messages()).empty())
        table_ = ws.LastTable;
    ws.VolumeTableSiteClass = 1;
}

int Dialog_Com3DSP::ChosenDiagram() const {
    if (!volumeMode_) return 1;
    return std::clamp(context_.ws.VolumeTableSiteClass, 1, 3);
}

void Dialog_Com3DSP::DrawGraph(Canvas& canvas, int kind) {
    const Workspace& ws = computed_ ? *computed_ : context_.ws;
    AgeGraphRun run;
    run.results = &ws.Results;
    run.series = AgeGraphSeries(volumeMode_, ws.VolumeTableSiteClass);
    run.startAge = ws.Run.CurrentAge;
    run.endAge = ws.Run.EndAge;
    run.siteCurveScale = ws.Run.SiteCurveScale;
    DrawAgeGraph(canvas, kind, run, axis_);
}

RunPictures Dialog_Com3DSP::PicturesOf(int k) const {
    const Workspace& ws = computed_ ? *computed_ : context_.ws;
    const int siteClass = volumeMode_ ? std::clamp(k, 1, 3) : 1;
    RunPictures pictures;
    pictures.diagram = ws.Diagram;
    pictures.path = RecordedPath(siteClass);
    pictures.graphs.results = &ws.Results;
    pictures.graphs.series = AgeGraphSeries(volumeMode_, siteClass);
    pictures.graphs.startAge = ws.Run.CurrentAge;
    pictures.graphs.endAge = ws.Run.EndAge;
    pictures.graphs.siteCurveScale = ws.Run.SiteCurveScale;
    return pictures;
}

ResultReport Dialog_Com3DSP::Report() const {
    const Workspace& ws = computed_ ? *computed_ : context_.ws;
    if (!volumeMode_) {
        return YieldRunReport(ws.Run, ws.CurrentStand, table_, PicturesOf(1), ReportDateText());
    }
    return VolumeRunReport(ws.Run, ws.HnpFileName, table_,
                           {PicturesOf(1), PicturesOf(2), PicturesOf(3)}, ReportDateText());
}

void Dialog_Com3DSP::Option_Click(int siteClass) {
    if (!volumeMode_ || computing()) return;
    Workspace& ws = context_.ws;
    ws.VolumeTableSiteClass = siteClass;
    if (computed_) computed_->VolumeTableSiteClass = siteClass;
    label2_->setText(QStringLiteral("地位：") + Q(SiteClassName(siteClass)));
    ShowChosen();
}

bool Dialog_Com3DSP::ExportAllImages() {
    if (!ExportImages(volumeMode_ ? QStringLiteral("林分材積表") : QStringLiteral("収穫予測表")))
        return false;
    const Workspace& ws = computed_ ? *computed_ : context_.ws;
    AllViewData& view = context_.allView;
    const QString source = Q(FileNamePart(ws.HeightCurve.HeightCurveSource));
    if (volumeMode_) {
        view.AllViewHeader = QStringLiteral("林分材積表の作成") + source +
                             QStringLiteral(" 地位：") + Q(SiteClassName(ws.VolumeTableSiteClass));
    } else {
        view.AllViewHeader =
            QStringLiteral("収穫予測表の作成 ") + source + QStringLiteral(" 地位：") +
            Q(SiteClassName(ws.Run.SiteClass, ws.CurrentStand.SiteText)) +
            QStringLiteral(" 間伐方式：") + Q(ThinningMethodName(ws.Run.ThinningMethod));
    }
    return true;
}

void Dialog_Com3DSP::Form_Unload() {
    Workspace& ws = context_.ws;
    // A table that was never computed is not written as an empty file. Once
    // the run has been made it has closed its own table, and a table open
    // now belongs to the plan window's run.
    if (!computed_ && !computing() && ws.OutputFile.IsOpen()) ws.OutputFile = TableFile{};
    context_.flags.OpenResultWindow = 0;
}

}  // namespace mk::app
