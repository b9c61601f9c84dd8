#include "app/tables/form_table_view.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <set>

#include "app/exports/export_actions.h"
#include "app/widgets/named_button.h"
#include "core/tables/result_report.h"
#include "core/tables/table_columns.h"
#include "core/tables/table_reader.h"
#include "render/report_pages.h"

namespace mk::app {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// "上層樹高(m)" is shown as two header lines, the unit under the name.
QString HeaderText(const std::string& name) {
    QString text = Q(name);
    const int unit = text.indexOf(QLatin1Char('('));
    if (unit > 0) text.insert(unit, QLatin1Char('\n'));
    return text;
}

// The title lines of the first table in the file (files, site class,
// method), as the file shows them.
QString TitleLines(const ResultTable& table) {
    const std::vector<TableBlock> blocks = TableBlocks(table);
    if (blocks.empty()) return {};
    QStringList lines;
    for (const std::string& line : blocks.front().heading) {
        if (line.starts_with("─")) break;
        if (!line.empty()) lines << Q(line).trimmed();
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

Form_TableView::Form_TableView(AppContext& context, ResultTable table, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), table_(std::move(table)) {
    setObjectName(QStringLiteral("Form_TableView"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("表を開く：") + QFileInfo(Q(table_.path)).fileName());
    BuildControls();
    FillGrid();
}

void Form_TableView::BuildControls() {
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("Label_Heading"));
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("Grid_Table"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->verticalHeader()->hide();
    grid_->setAlternatingRowColors(true);

    auto* copy = MakeButton(this, "Command_Copy", QStringLiteral("コピー"));
    copy->setToolTip(QStringLiteral(
        "選んだ範囲（選んでいなければ表全体）を表計算ソフトに貼り付けられる形でコピーします。"));
    auto* csv = MakeButton(this, "Command_CsvSave", QStringLiteral("CSV保存"));
    auto* pdf = MakeButton(this, "Command_PdfOut", QStringLiteral("PDF出力"));
    auto* print = MakeButton(this, "Command_Print", QStringLiteral("印刷"));
    auto* ok = MakeButton(this, "OKButton", QStringLiteral("閉じる"));

    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {copy, csv, pdf, print}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    connect(copy, &QPushButton::clicked, this, &Form_TableView::Command_Copy_Click);
    connect(csv, &QPushButton::clicked, this, &Form_TableView::Command_CsvSave_Click);
    connect(pdf, &QPushButton::clicked, this, &Form_TableView::Command_PdfOut_Click);
    connect(print, &QPushButton::clicked, this, &Form_TableView::Command_Print_Click);
    connect(ok, &QPushButton::clicked, this, &Form_TableView::OKButton_Click);
    resize(1200, 640);
}

void Form_TableView::FillGrid() {
    heading_->setText(TitleLines(table_));
    const std::vector<TableColumn> columns = TableColumns(table_.kind);
    const std::vector<const TableRow*> rows = ExportedRows(table_, false);
    grid_->setColumnCount(static_cast<int>(columns.size()));
    grid_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers;
    for (const TableColumn& column : columns) headers << HeaderText(column.name);
    grid_->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const std::vector<TableCell> cells = TableRowCells(table_.kind, *rows[r]);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(Q(RoundedCellText(cells[c], columns[c])));
            const bool number = cells[c].kind != TableCell::Kind::Text;
            item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
            grid_->setItem(r, c, item);
        }
    }
    grid_->resizeColumnsToContents();
}

QString Form_TableView::CopyText() const {
    std::set<int> rows;
    std::set<int> columns;
    for (const QTableWidgetSelectionRange& range : grid_->selectedRanges()) {
        for (int r = range.topRow(); r <= range.bottomRow(); ++r) rows.insert(r);
        for (int c = range.leftColumn(); c <= range.rightColumn(); ++c) columns.insert(c);
    }
    if (rows.empty()) {
        for (int r = 0; r < grid_->rowCount(); ++r) rows.insert(r);
        for (int c = 0; c < grid_->columnCount(); ++c) columns.insert(c);
    }
    return Q(TableTsv(table_, {rows.begin(), rows.end()}, {columns.begin(), columns.end()}));
}

void Form_TableView::Command_Copy_Click() { QApplication::clipboard()->setText(CopyText()); }

void Form_TableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        Command_Copy_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form_TableView::Command_CsvSave_Click() { SaveTableCsvAs(context_, this, table_); }

void Form_TableView::Command_PdfOut_Click() {
    SaveReportPdfAs(context_, this, ReopenedTableReport(table_, ReportDateText()));
}

void Form_TableView::Command_Print_Click() {
    PrintReport(context_, this, ReopenedTableReport(table_, ReportDateText()));
}

void Form_TableView::OKButton_Click() { close(); }

Form_TableView* OpenTableFile(AppContext& context, QWidget* owner) {
    const std::optional<QString> chosen = context.services.files->Open(
        owner, {QStringLiteral("表を開く"),
                QStringLiteral("収穫予測表・林分材積表 (*.150 *.160 *.80)|*.150 *.160 *.80|"
                               "すべてのファイル (*)|*"),
                QDir::currentPath() + QStringLiteral("/*.150")});
    if (!chosen || chosen->isEmpty()) return nullptr;
    const ReadOutcome<ResultTable> read = ReadTableFile(chosen->toStdString());
    ShowFileMessages(read.messages, context.messages());
    if (!read.ok()) return nullptr;
    auto* view = new Form_TableView(context, *read.record, owner);
    view->show();
    return view;
}

}  // namespace mk::app
