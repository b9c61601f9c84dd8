#include "app/yield/dialog_com3dsp.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "app/exports/export_actions.h"
#include "app/yield/mdiform_allview.h"
#include "app/yield/result_window_common.h"
#include "core/graphics/age_graph.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/graphics/tee_canvas.h"
#include "core/model/site_class.h"
#include "core/text/paths.h"
#include "core/text/text_compare.h"
#include "core/yield/stand_volume_run.h"
#include "core/yield/table_calc.h"
#include "core/yield/table_report.h"
#include "render/bmp_file.h"
#include "render/report_pages.h"

namespace mk::app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Dialog_Com3DSP::Dialog_Com3DSP(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context) {
    setObjectName(QStringLiteral("Dialog_Com3DSP"));
    setAttribute(Qt::WA_DeleteOnClose);
    volumeMode_ = context_.flags.ResultMode == 1;
    BuildControls();
    Form_Load();
}

Dialog_Com3DSP::~Dialog_Com3DSP() { Form_Unload(); }

void Dialog_Com3DSP::BuildControls() {
    frame1_ = new QGroupBox(QStringLiteral("地位"), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    auto* sites = new QHBoxLayout(frame1_);
    const QString names[] = {QString(), QStringLiteral("上"), QStringLiteral("中"),
                             QStringLiteral("下")};
    for (int k = 1; k <= 3; ++k) {
        options_[k] = new QRadioButton(names[k], frame1_);
        options_[k]->setObjectName(QStringLiteral("Option%1").arg(k));
        sites->addWidget(options_[k]);
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

    // The diagram pictures and the graph picture share one place; each
    // diagram has its progress label beside it.
    auto* pictures = new QWidget(this);
    pictures->setFixedSize(kCanvasWidth, kCanvasHeight);
    const char* pictureNames[] = {nullptr, "Picture1", "Picture1_2", "Picture1_3"};
    const char* labelNames[] = {nullptr, "Label4", "Label4_2", "Label4_3"};
    auto* progress = new QVBoxLayout();
    for (int k = 1; k <= 3; ++k) {
        picture1_[k] = new PictureBox(pictures, QString::fromLatin1(pictureNames[k]));
        picture1_[k]->move(0, 0);
        label4_[k] = new QLabel(this);
        label4_[k]->setObjectName(QString::fromLatin1(labelNames[k]));
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

    connect(back_, &QPushButton::clicked, this, &Dialog_Com3DSP::Command_Back_Click);
    connect(next_, &QPushButton::clicked, this, &Dialog_Com3DSP::Command_Next_Click);
    connect(save_, &QPushButton::clicked, this, &Dialog_Com3DSP::Command_PictSave_Click);
    connect(allDsp_, &QPushButton::clicked, this, &Dialog_Com3DSP::Command_ALLDSP_Click);
    connect(ok_, &QPushButton::clicked, this, &Dialog_Com3DSP::OKButton_Click);
    connect(csv_, &QPushButton::clicked, this, &Dialog_Com3DSP::Command_CsvSave_Click);
    connect(pdf_, &QPushButton::clicked, this, &Dialog_Com3DSP::Command_PdfOut_Click);
    connect(print_, &QPushButton::clicked, this, &Dialog_Com3DSP::Command_Print_Click);
}

void Dialog_Com3DSP::Form_Load() {
    Workspace& ws = context_.ws;
    activated_ = false;
    resultTitle_ = volumeMode_ ? QStringLiteral("林分材積表の作成") : QStringLiteral("収穫予測表の作成");
    setWindowTitle(QStringLiteral("システム収穫表：杜の暦『構想』－") + resultTitle_);
    for (int k = 1; k <= 3; ++k) {
        picture1_[k]->canvas().Clear();
        label4_[k]->clear();
    }
    picture2_->canvas().Clear();
    resultPage_ = 0;
    label1_->setText(QStringLiteral("ファイル：") + Q(FileNamePart(ws.HeightCurve.HeightCurveSource)));
    if (volumeMode_) {
        label2_->setText(QStringLiteral("地位：") + Q(SiteClassName(1)));
        label3_->hide();
        frame1_->show();
        frame1_->setEnabled(true);
        options_[1]->setChecked(true);
        // A diagram of an unknown type is refused before any file is made.
        if (!CheckDiagramType(ws.Diagram, "TABLECALC", context_.messages()) ||
            !OpenVolumeTableFile(ws, context_.messages())) {
            closeAtOnce_ = true;
            return;
        }
        PrepareRunSettings(ws);
    } else {
        label2_->setText(QStringLiteral("地位：") +
                         Q(SiteClassName(ws.Run.SiteClass, ws.CurrentStand.SiteText)));
        label3_->setText(QStringLiteral("間伐方式：") + Q(ThinningMethodName(ws.Run.ThinningMethod)));
        label3_->show();
        frame1_->hide();
        frame1_->setEnabled(false);
        PrepareRunSettings(ws);
    }
}

void Dialog_Com3DSP::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activated_ || computing_) return;
    // The computation runs once the window is on the screen, outside the
    // event that showed it.
    QTimer::singleShot(0, this, [this] {
        if (closeAtOnce_) {
            close();
            return;
        }
        if (!activated_) Form_Activate();
    });
}

void Dialog_Com3DSP::SetControlsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(back_), static_cast<QWidget*>(next_),
                       static_cast<QWidget*>(save_), static_cast<QWidget*>(allDsp_),
                       static_cast<QWidget*>(ok_), static_cast<QWidget*>(frame1_)}) {
        w->setEnabled(enabled);
    }
    // The exports need a table that was written.
    for (QWidget* w : {csv_, pdf_, print_}) w->setEnabled(enabled && !table_.Empty());
}

void Dialog_Com3DSP::Form_Activate() {
    activated_ = true;
    computing_ = true;
    context_.computationRunning = true;
    // Nothing the user does may change the pictures or the records while
    // the simulation uses them.
    SetControlsEnabled(false);
    for (int k = 1; k <= 3; ++k) picture1_[k]->hide();
    picture2_->hide();
    label4_[1]->show();
    label4_[2]->hide();
    label4_[3]->hide();
    resultPage_ = 0;
    UpdatePageLabel();

    // A stand volume table refused before it starts never gets here.
    const bool ran = volumeMode_ ? (RunVolumeTable(), true) : RunYieldTable();

    picture1_[1]->show();
    picture1_[2]->hide();
    picture1_[3]->hide();
    picture2_->hide();
    computed_ = std::make_unique<Workspace>(context_.ws);
    computing_ = false;
    context_.computationRunning = false;
    SetControlsEnabled(true);
    back_->setEnabled(false);
    next_->setEnabled(true);
    frame1_->setEnabled(volumeMode_);
    emit computationFinished();
    // A run that did not start (its refusal has been shown) has no pictures
    // of its own, and the result arrays still hold an earlier run's: the
    // window closes rather than show those under this run's labels.
    if (!ran || closeRequested_) close();
}

bool Dialog_Com3DSP::RunYieldTable() {
    Workspace& ws = context_.ws;
    PictureBox& picture = *picture1_[1];
    DrawDensityDiagram(picture.canvas(), ws.Diagram);
    picture.show();
    picture.Refresh();
    paths_[1] = RecordingCanvas{};
    TeeCanvas both(picture.canvas(), paths_[1]);
    const TableCalcOutcome outcome = TABLECALC(
        ws, kYieldTableMode, both,
        [this, &picture](const std::string& text) {
            label4_[1]->setText(Q(text));
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
    for (int k = 1; k <= 3; ++k) DrawDensityDiagram(picture1_[k]->canvas(), ws.Diagram);
    for (int k = 1; k <= 3; ++k) {
        PictureBox& picture = *picture1_[k];
        picture.show();
        label4_[k]->show();
        paths_[k] = RecordingCanvas{};
        TeeCanvas both(picture.canvas(), paths_[k]);
        RunVolumeTableSiteClass(
            ws, k, both,
            [this, k, &picture](const std::string& text) {
                // All three lines stay in view: each says whose run it is.
                label4_[k]->setText(QStringLiteral("地位：") + Q(SiteClassName(k)) + Q(text));
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

PictureBox& Dialog_Com3DSP::DiagramPicture(int siteClass) {
    if (!volumeMode_) return *picture1_[1];
    return *picture1_[std::clamp(siteClass, 1, 3)];
}

PictureBox& Dialog_Com3DSP::VisiblePicture() {
    if (resultPage_ > 0) return *picture2_;
    return DiagramPicture(context_.ws.VolumeTableSiteClass);
}

void Dialog_Com3DSP::DrawPage(PictureBox& picture, int kind) {
    const Workspace& ws = computed_ ? *computed_ : context_.ws;
    AgeGraphRun run;
    run.results = &ws.Results;
    run.series = AgeGraphSeries(volumeMode_, ws.VolumeTableSiteClass);
    run.startAge = ws.Run.CurrentAge;
    run.endAge = ws.Run.EndAge;
    run.siteCurveScale = ws.Run.SiteCurveScale;
    DrawAgeGraph(picture.canvas(), kind, run, axis_);
    picture.Refresh();
}

void Dialog_Com3DSP::UpdatePageLabel() {
    label5_->setText(QStringLiteral("画像 %1/6").arg(resultPage_ + 1));
}

void Dialog_Com3DSP::Command_Next_Click() {
    if (!activated_ || computing_ || resultPage_ >= 5) return;
    ++resultPage_;
    if (resultPage_ == 1) {
        for (int k = 1; k <= 3; ++k) picture1_[k]->hide();
        picture2_->show();
        back_->setEnabled(true);
    }
    DrawPage(*picture2_, resultPage_);
    if (resultPage_ == 5) next_->setEnabled(false);
    UpdatePageLabel();
}

void Dialog_Com3DSP::Command_Back_Click() {
    if (!activated_ || computing_ || resultPage_ <= 0) return;
    --resultPage_;
    next_->setEnabled(true);
    if (resultPage_ > 0) {
        back_->setEnabled(true);
        DrawPage(*picture2_, resultPage_);
    } else {
        back_->setEnabled(false);
        picture2_->hide();
        ShowDiagramOnly(context_.ws.VolumeTableSiteClass);
    }
    UpdatePageLabel();
}

void Dialog_Com3DSP::ShowDiagramOnly(int siteClass) {
    for (int k = 1; k <= 3; ++k) {
        picture1_[k]->hide();
        label4_[k]->hide();
    }
    const int shown = volumeMode_ ? std::clamp(siteClass, 1, 3) : 1;
    picture1_[shown]->show();
    label4_[shown]->show();
}

void Dialog_Com3DSP::Option_Click(int siteClass) {
    if (!volumeMode_ || computing_) return;
    Workspace& ws = context_.ws;
    ws.VolumeTableSiteClass = siteClass;
    if (computed_) computed_->VolumeTableSiteClass = siteClass;
    label2_->setText(QStringLiteral("地位：") + Q(SiteClassName(siteClass)));
    if (resultPage_ > 0) {
        DrawPage(*picture2_, resultPage_);
    } else {
        ShowDiagramOnly(siteClass);
    }
}

void Dialog_Com3DSP::Command_PictSave_Click() {
    if (computing_ || !computed_) return;
    const RunPictures pictures = PicturesOf(computed_->VolumeTableSiteClass);
    const int page = resultPage_;
    SavePictureAs(
        context_, this, VisiblePicture().canvas(),
        [&pictures, page](Canvas& surface) { DrawRunPicture(surface, pictures, page); },
        RunPictureTitle(page));
}

RunPictures Dialog_Com3DSP::PicturesOf(int siteClass) const {
    const Workspace& ws = computed_ ? *computed_ : context_.ws;
    const int k = volumeMode_ ? std::clamp(siteClass, 1, 3) : 1;
    RunPictures pictures;
    pictures.diagram = ws.Diagram;
    pictures.path = paths_[k].primitives();
    pictures.graphs.results = &ws.Results;
    pictures.graphs.series = AgeGraphSeries(volumeMode_, k);
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

void Dialog_Com3DSP::Command_CsvSave_Click() {
    if (computing_) return;
    SaveTableCsvAs(context_, this, table_);
}

void Dialog_Com3DSP::Command_PdfOut_Click() {
    if (computing_ || table_.Empty()) return;
    SaveReportPdfAs(context_, this, Report());
}

void Dialog_Com3DSP::Command_Print_Click() {
    if (computing_ || table_.Empty()) return;
    PrintReport(context_, this, Report());
}

bool Dialog_Com3DSP::ExportAllImages() {
    const Workspace& ws = computed_ ? *computed_ : context_.ws;
    AgeGraphRun run;
    run.results = &ws.Results;
    run.series = AgeGraphSeries(volumeMode_, ws.VolumeTableSiteClass);
    run.startAge = ws.Run.CurrentAge;
    run.endAge = ws.Run.EndAge;
    run.siteCurveScale = ws.Run.SiteCurveScale;
    const auto draw = [this, &run](ImageCanvas& picture, int kind) {
        DrawAgeGraph(picture, kind, run, axis_);
    };
    if (!ExportAllViewImages(context_, DiagramPicture(ws.VolumeTableSiteClass).canvas(),
                             *picture3_, draw,
                             volumeMode_ ? QStringLiteral("林分材積表") : QStringLiteral("収穫予測表")))
        return false;
    AllViewData& view = context_.allView;
    const QString source = Q(FileNamePart(ws.HeightCurve.HeightCurveSource));
    if (volumeMode_) {
        view.AllViewHeader = QStringLiteral("林分材積表の作成") + source + QStringLiteral(" 地位：") +
                             Q(SiteClassName(ws.VolumeTableSiteClass));
    } else {
        view.AllViewHeader = QStringLiteral("収穫予測表の作成 ") + source + QStringLiteral(" 地位：") +
                             Q(SiteClassName(ws.Run.SiteClass, ws.CurrentStand.SiteText)) +
                             QStringLiteral(" 間伐方式：") + Q(ThinningMethodName(ws.Run.ThinningMethod));
    }
    return true;
}

void Dialog_Com3DSP::Command_ALLDSP_Click() {
    if (computing_) return;
    // The view outlives this window when the user closes it first, so it
    // belongs to the main window.
    OpenAllImageView(context_, parentWidget(), [this] { return ExportAllImages(); });
}

void Dialog_Com3DSP::OKButton_Click() { close(); }

void Dialog_Com3DSP::closeEvent(QCloseEvent* event) {
    if (computing_) {
        // Closing waits for the running simulation, which uses this
        // window's pictures; the window closes as soon as it has finished.
        closeRequested_ = true;
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void Dialog_Com3DSP::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Workspace& ws = context_.ws;
    // A table that was never computed is not written as an empty file. Once
    // the run has been made it has closed its own table, and a table open
    // now belongs to the plan window's run.
    if (!activated_ && ws.OutputFile.IsOpen()) ws.OutputFile = TableFile{};
    context_.flags.OpenResultWindow = 0;
}

}  // namespace mk::app
