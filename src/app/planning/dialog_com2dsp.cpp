#include "app/planning/dialog_com2dsp.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QTemporaryFile>
#include <algorithm>
#include <array>

#include "app/exports/export_actions.h"
#include "app/widgets/screen_fit.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/planning/plan_comparison.h"
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
    labelCompare_ = new QLabel(this);
    labelCompare_->setObjectName(QStringLiteral("Label_Compare"));
    labelCompare_->setWordWrap(true);
    AddBelowPictures(labelCompare_);
    const auto& columns = ComparisonColumns();
    gridCompare_ = new QTableWidget(kPlanCount, kComparisonColumns, this);
    gridCompare_->setObjectName(QStringLiteral("Grid_Compare"));
    gridCompare_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridCompare_->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridCompare_->setSelectionMode(QAbstractItemView::SingleSelection);
    gridCompare_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    gridCompare_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridCompare_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridCompare_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    for (int c = 0; c < kComparisonColumns; ++c) {
        const ComparisonColumn& column = columns[static_cast<std::size_t>(c)];
        QString heading = QString::fromUtf8(column.heading);
        if (*column.unit != '\0') heading += QStringLiteral("\n") + QString::fromUtf8(column.unit);
        auto* item = new QTableWidgetItem(heading);
        item->setToolTip(
            QString::fromUtf8(column.higherIsBetter ? "大きいほど良い：" : "小さいほど良い：") +
            QString::fromUtf8(column.why));
        gridCompare_->setHorizontalHeaderItem(c, item);
    }
    for (int k = 1; k <= kPlanCount; ++k) {
        gridCompare_->setVerticalHeaderItem(k - 1,
                                            new QTableWidgetItem(QStringLiteral("計画%1").arg(k)));
    }
    gridCompare_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Rows one line of text high keep the table from crowding the picture.
    gridCompare_->verticalHeader()->setDefaultSectionSize(gridCompare_->fontMetrics().height() + 8);
    gridCompare_->setEnabled(false);
    AddBelowPictures(gridCompare_);
    connect(gridCompare_, &QTableWidget::cellClicked, this,
            [this](int row, int) { Grid_Compare_Click(row); });
    connect(gridCompare_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { Grid_Compare_Click(row); });
    compareCsv_ = new QPushButton(QStringLiteral("比較表をCSV保存"), this);
    compareCsv_->setObjectName(QStringLiteral("Command_CompareCsv"));
    AddPanelButton(compareCsv_);
    connect(compareCsv_, &QPushButton::clicked, this, &Dialog_Com2DSP::Command_CompareCsv_Click);
    Form_Load();
    SizeToContents(this);
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
    FillComparison();
    return true;
}

void Dialog_Com2DSP::FillComparison() {
    const PlanComparison comparison = ComparePlans(*planned_);
    labelCompare_->setText(
        QStringLiteral(
            "施業体系の比較（林齢 %1 年）　◎：各列で最も良い値（間伐回数・収量比数・"
            "形状比は小さいほど、ほかは大きいほど良い）。行を選ぶとその計画を表示します。")
            .arg(comparison.endAge));
    QFont bold = gridCompare_->font();
    bold.setBold(true);
    for (const PlanComparisonRow& row : comparison.rows) {
        for (int c = 0; c < kComparisonColumns; ++c) {
            QString text = row.complete ? QString::fromStdString(ComparisonCell(row, c))
                                        : QStringLiteral("－");
            const bool best = row.best[static_cast<std::size_t>(c)];
            if (best) text += QStringLiteral(" ◎");
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (best) {
                item->setFont(bold);
                item->setBackground(QColor(0xD2, 0xF0, 0xD2));
            }
            gridCompare_->setItem(row.plan - 1, c, item);
        }
    }
    gridCompare_->setEnabled(true);
    SelectComparisonRow();
}

void Dialog_Com2DSP::Command_CompareCsv_Click() {
    if (computing() || !planned_) return;
    SavePlanComparisonCsvAs(context_, this, table(), ComparePlans(*planned_));
}

void Dialog_Com2DSP::SelectComparisonRow() {
    const QSignalBlocker quiet(gridCompare_);
    gridCompare_->setCurrentCell(plan_ - 1, 0);
    gridCompare_->selectRow(plan_ - 1);
}

void Dialog_Com2DSP::Grid_Compare_Click(int row) {
    if (computing() || !planned_ || row < 0 || row >= kPlanCount || row + 1 == plan_) return;
    Option(row + 1).setChecked(true);
    Option_Click(row + 1);
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
    if (planned_) SelectComparisonRow();
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
