// Handing results on from the windows: the result windows' CSV保存, PDF出力,
// 印刷 and 画像を保存 in its three formats, and a table file reopened from
// the main window's 表を開く, shown as a grid, copied and saved again.

#include <gtest/gtest.h>

#include <QDialog>
#include <QTableWidget>

#include "app/exports/export_actions.h"
#include "app/main/form_main.h"
#include "app/planning/dialog_com2dsp.h"
#include "app/tables/form_table_view.h"
#include "app/widgets/picture_box.h"
#include "app/yield/dialog_com3dsp.h"
#include "core/tables/table_columns.h"
#include "core/tables/table_csv.h"
#include "core/text/number_format.h"
#include "planning_test_support.h"
#include "render/bmp_file.h"

namespace mk::app::test {
namespace {

using mk::test::ReadBytes;
using mk::test::WriteBytes;

template <typename T>
T* WaitForWindow(Form_Main& window) {
    T* found = nullptr;
    WaitFor([&] {
        found = window.findChild<T*>();
        return found != nullptr && found->activated();
    });
    return found;
}

// A yield table by method 4 (Ry 0.80) from the example files.
Dialog_Com3DSP* YieldResult(AppFixture& f, Form_Main& window) {
    QueueMethod4Run(f, [&f](QDialog& page) {
        ChooseFile(f, page, "Command_PRMSet", f.prm);
        ChooseFile(f, page, "Command_PARSet", f.par);
        Click(page, "Option2");
        Click(page, "OKButton");
    });
    window.Command3_Click();
    return WaitForWindow<Dialog_Com3DSP>(window);
}

Dialog_Com3DSP* VolumeResult(AppFixture& f, Form_Main& window) {
    f.scripted.dialogs.Then([&f](QDialog& d) {
        ChooseFile(f, d, "Command_PRMSet", f.prm);
        ChooseFile(f, d, "Command_PARSet", f.par);
        ChooseFile(f, d, "Command_HNPSet", f.hnp);
        Click(d, "OKButton");
    });
    window.Command4_Click();
    return WaitForWindow<Dialog_Com3DSP>(window);
}

Dialog_Com2DSP* PlanResult(AppFixture& f, const RegionFiles& files, Form_Main& window) {
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    for (int i = 0; i < 3; ++i)
        f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
    window.Command2_Click();
    return WaitForWindow<Dialog_Com2DSP>(window);
}

std::string CsvHeader(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    return bytes.substr(0, bytes.find("\r\n"));
}

// CSV保存, PDF出力 and 印刷 of a finished result window: the CSV is the
// run's own table, the report is a PDF of the expected pages, and a
// cancelled print dialog prints nothing.
// stem: the files' name, new to the folder (replacing one would be asked).
void ExpectExports(AppFixture& f, QWidget& result, const ResultTable& table, int reportPages,
                   const std::string& stem) {
    ASSERT_FALSE(table.Empty());
    const std::size_t shownBefore = f.scripted.messages.shown().size();
    for (const char* name : {"Command_CsvSave", "Command_PdfOut", "Command_Print"})
        EXPECT_TRUE(IsEnabled(result, name)) << name;

    const std::string csv = f.folder.File(stem + ".csv");
    f.scripted.files.Choose(QString::fromStdString(csv));
    Click(result, "Command_CsvSave");
    EXPECT_EQ(ReadBytes(csv), TableCsv(table, false));
    const FileDialogRequest& asked = f.scripted.files.requests().back();
    EXPECT_EQ(asked.title.toStdString(), "CSVファイルに保存します");
    // The table's own name is proposed beside it.
    std::string proposed = table.path;
    proposed.replace(proposed.rfind('.'), std::string::npos, ".csv");
    EXPECT_EQ(asked.presetName.toStdString(), proposed);

    const std::string pdf = f.folder.File(stem + ".pdf");
    f.scripted.files.Choose(QString::fromStdString(pdf));
    Click(result, "Command_PdfOut");
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");

    f.scripted.printer.path.clear();
    Click(result, "Command_Print");
    EXPECT_EQ(f.scripted.printer.titles.size(), 1u);
    f.scripted.printer.path = QString::fromStdString(f.folder.File("printed.pdf"));
    Click(result, "Command_Print");
    EXPECT_EQ(f.scripted.printer.pages, reportPages);
    EXPECT_EQ(ReadBytes(f.folder.File("printed.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(f.scripted.messages.shown().size(), shownBefore) << LastMessage(f.scripted);
}

TEST(ResultExports, YieldTableAsCsvPdfAndOnThePrinter) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* result = YieldResult(f, window);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->table().kind, TableKind::Yield);
    // Title block, one page of table, one page of the six pictures.
    ExpectExports(f, *result, result->table(), 3, "yield");
    EXPECT_EQ(CsvHeader(f.folder.File("yield.csv")).substr(0, 3 + 11), "\xEF\xBB\xBF林齢(年)");

    // A name typed without extension is saved as CSV; an existing file is
    // replaced only when the user says so.
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("again")));
    Click(*result, "Command_CsvSave");
    EXPECT_EQ(ReadBytes(f.folder.File("again.csv")), TableCsv(result->table(), false));
    WriteBytes(f.folder.File("again.csv"), "kept");
    f.scripted.messages.Script(MessageAnswer::No);
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("again.csv")));
    Click(*result, "Command_CsvSave");
    EXPECT_EQ(LastMessage(f.scripted), "again.csv は既に存在します。\n上書きしますか？");
    EXPECT_EQ(ReadBytes(f.folder.File("again.csv")), "kept");
    result->close();
}

TEST(ResultExports, StandVolumeTableAndPlanTable) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* volume = VolumeResult(f, window);
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->table().kind, TableKind::Volume);
    // Title, a page per site class's table, a page per site class's pictures.
    ExpectExports(f, *volume, volume->table(), 7, "volume");
    EXPECT_TRUE(CsvHeader(f.folder.File("volume.csv")).starts_with("\xEF\xBB\xBF地位,齢級,"));
    volume->close();

    RegionFiles files(f);
    Dialog_Com2DSP* plans = PlanResult(f, files, window);
    ASSERT_NE(plans, nullptr);
    EXPECT_EQ(plans->table().kind, TableKind::Plan);
    f.scripted.printer.titles.clear();
    ExpectExports(f, *plans, plans->table(), 11, "plans");
    EXPECT_TRUE(CsvHeader(f.folder.File("plans.csv")).starts_with("\xEF\xBB\xBF計画(間伐回数),"));
    plans->close();
}

TEST(ResultExports, PictureSavedAsBmpPngOrSvgByTheNameGiven) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* result = YieldResult(f, window);
    ASSERT_NE(result, nullptr);
    Click(*result, "Command_Next");  // the dominant height graph
    auto* picture = Find<PictureBox>(*result, "Picture2");
    ASSERT_NE(picture, nullptr);

    const std::string bmp = f.folder.File("graph.bmp");
    const std::string png = f.folder.File("graph.PNG");
    const std::string svg = f.folder.File("graph.svg");
    for (const std::string& path : {bmp, png, svg}) {
        f.scripted.files.Choose(QString::fromStdString(path));
        Click(*result, "Command_PictSave");
    }
    EXPECT_EQ(ReadBytes(bmp), EncodeBmp24(picture->canvas().image()));
    EXPECT_EQ(ReadBytes(png).substr(0, 4), "\x89PNG");
    const std::string vector = ReadBytes(svg);
    EXPECT_NE(vector.find("<svg"), std::string::npos);
    EXPECT_NE(vector.find("上層樹高"), std::string::npos);
    EXPECT_EQ(f.scripted.files.requests().back().filter.toStdString(),
              "BMPファイル(*.bmp)|*.bmp|PNGファイル(*.png)|*.png|SVGファイル(*.svg)|*.svg");
    result->close();
}

TEST(TableView, ReopensATableAsAGridThatCopiesAndSavesAgain) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* result = YieldResult(f, window);
    ASSERT_NE(result, nullptr);
    const ResultTable written = result->table();
    result->close();
    const std::size_t shownBefore = f.scripted.messages.shown().size();

    f.scripted.files.Choose(QString::fromStdString(written.path));
    TriggerMenu(window, "mnuFileTableOpen");
    auto* view = window.findChild<Form_TableView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle().toStdString(),
              "表を開く：" + written.path.substr(written.path.rfind('/') + 1));
    EXPECT_NE(TextOf(*view, "Label_Heading").find("間伐方式収量比数と間伐率"), std::string::npos);

    auto* grid = Find<QTableWidget>(*view, "Grid_Table");
    ASSERT_NE(grid, nullptr);
    const std::vector<const TableRow*> listed = ExportedRows(written, false);
    ASSERT_EQ(grid->rowCount(), static_cast<int>(listed.size()));
    EXPECT_EQ(grid->columnCount(), 22);
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text().toStdString(), "上層樹高\n(m)");
    // Figures as the table file shows them.
    EXPECT_EQ(grid->item(0, 0)->text().toStdString(), "5");
    EXPECT_EQ(grid->item(0, 5)->text().toStdString(),
              FormatNumber(listed[0]->year.volume, "###0.0"));

    // Nothing selected: the whole table; a selection: just those cells.
    const std::string all = view->CopyText().toStdString();
    EXPECT_TRUE(all.starts_with("林齢(年)\t上層樹高(m)\t"));
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), static_cast<long>(listed.size()) + 1);
    grid->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 1), true);
    const std::string two = view->CopyText().toStdString();
    EXPECT_EQ(two, "林齢(年)\t上層樹高(m)\n" + grid->item(1, 0)->text().toStdString() + "\t" +
                       grid->item(1, 1)->text().toStdString() + "\n" +
                       grid->item(2, 0)->text().toStdString() + "\t" +
                       grid->item(2, 1)->text().toStdString() + "\n");

    // Saved again: the CSV of the figures the file holds.
    const std::string csv = f.folder.File("again.csv");
    f.scripted.files.Choose(QString::fromStdString(csv));
    Click(*view, "Command_CsvSave");
    EXPECT_EQ(ReadBytes(csv), TableCsv(view->table(), false));
    const std::string pdf = f.folder.File("again.pdf");
    f.scripted.files.Choose(QString::fromStdString(pdf));
    Click(*view, "Command_PdfOut");
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(f.scripted.messages.shown().size(), shownBefore) << LastMessage(f.scripted);
    view->close();
}

TEST(TableView, RefusesAFileThatIsNotATable) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.files.Choose(QString::fromStdString(f.par));
    TriggerMenu(window, "mnuFileTableOpen");
    EXPECT_EQ(window.findChild<Form_TableView*>(), nullptr);
    EXPECT_EQ(LastMessage(f.scripted), "表ファイルの形式が違います。これは読めません。\r\n1行目");
    f.scripted.files.Cancel();
    TriggerMenu(window, "mnuFileTableOpen");
    EXPECT_EQ(window.findChild<Form_TableView*>(), nullptr);
}

}  // namespace
}  // namespace mk::app::test
