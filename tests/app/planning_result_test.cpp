// The plan result window: the five plans' diagrams and graphs, paging, the
// choice of plan, saving pictures and the all-image view; the main window's
// refusals while it is open; and the current-stand page of a calculated
// site class.

#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "app/main/form_main.h"
#include "app/planning/dialog_com2dsp.h"
#include "app/planning/plan_stand_pages.h"
#include "app/widgets/picture_box.h"
#include "app/yield/dialog_com3dsp.h"
#include "app/yield/mdiform_allview.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/text/cp932.h"
#include "planning_test_support.h"
#include "support/test_files.h"

namespace mk::app::test {
namespace {

namespace fs = std::filesystem;

// A known stand of age 10 with 3000 stems, no target, to age 100, with the
// policy page's defaults.
void QueueDefaultPlan(AppFixture& f, const RegionFiles& files) {
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    for (int i = 0; i < 3; ++i)
        f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
}

Dialog_Com2DSP* OpenPlans(AppFixture& f, const RegionFiles& files, Form_Main& window) {
    QueueDefaultPlan(f, files);
    window.Command2_Click();
    Dialog_Com2DSP* result = nullptr;
    WaitFor([&] {
        result = window.findChild<Dialog_Com2DSP*>();
        return result != nullptr && result->activated();
    });
    return result;
}

// A yield table of site class 上 by method 4 from a planting.
void QueueYieldTable(AppFixture& f) {
    QueueMethod4Run(f, [&f](QDialog& page) {
        ChooseFile(f, page, "Command_PRMSet", f.prm);
        ChooseFile(f, page, "Command_PARSet", f.par);
        Click(page, "Option1");
        Click(page, "OKButton");
    });
}

bool Shown(QWidget& w, const char* name) {
    auto* found = Find<QWidget>(w, name);
    return found != nullptr && found->isVisibleTo(&w);
}

QImage PictureOf(QWidget& w, const char* name) {
    auto* picture = Find<PictureBox>(w, name);
    return picture == nullptr ? QImage() : picture->canvas().image();
}

TEST(PlanResult, PagesThroughTheImagesAndSwitchesPlans) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    Dialog_Com2DSP* result = OpenPlans(f, files, window);
    ASSERT_NE(result, nullptr);
    QWidget& w = *result;
    EXPECT_EQ(w.windowTitle().toStdString(), "システム収穫表：杜の暦『構想』－収穫予測");
    EXPECT_EQ(TextOf(w, "Label1"), "ファイル：sugi_survey.dat");
    EXPECT_EQ(TextOf(w, "Label2"), "地位：中");
    EXPECT_EQ(TextOf(w, "Label3"), "間伐回数：1");
    EXPECT_EQ(TextOf(w, "Label5"), "画像 1/6");
    EXPECT_EQ(TextOf(w, "Label4_5"), "　林　齢　＝　100");
    EXPECT_TRUE(Shown(w, "Picture1"));
    EXPECT_FALSE(Shown(w, "Picture1_3"));
    EXPECT_FALSE(IsEnabled(w, "Command_Back"));
    // Every plan drew its own path on its own diagram.
    EXPECT_NE(PictureOf(w, "Picture1"), PictureOf(w, "Picture1_5"));

    Click(w, "Option3");
    EXPECT_EQ(TextOf(w, "Label3"), "間伐回数：3");
    EXPECT_TRUE(Shown(w, "Picture1_3"));
    EXPECT_TRUE(Shown(w, "Label4_3"));
    EXPECT_FALSE(Shown(w, "Picture1"));
    EXPECT_FALSE(Shown(w, "Label4"));

    for (int i = 2; i <= 6; ++i) {
        Click(w, "Command_Next");
        EXPECT_EQ(TextOf(w, "Label5"), "画像 " + std::to_string(i) + "/6");
        EXPECT_TRUE(Shown(w, "Picture2"));
        EXPECT_FALSE(Shown(w, "Picture1_3"));
    }
    EXPECT_FALSE(IsEnabled(w, "Command_Next"));
    Click(w, "Command_Back");
    Click(w, "Command_Back");
    EXPECT_EQ(TextOf(w, "Label5"), "画像 4/6");
    // On a graph a plan choice redraws the graph in place: the yield index
    // of a plan with one thinning differs from one with five.
    const QImage threeThinnings = PictureOf(w, "Picture2");
    Click(w, "Option1");
    EXPECT_TRUE(Shown(w, "Picture2"));
    EXPECT_NE(PictureOf(w, "Picture2"), threeThinnings);
    Click(w, "Option3");
    EXPECT_EQ(PictureOf(w, "Picture2"), threeThinnings);
    for (int i = 0; i < 3; ++i) Click(w, "Command_Back");
    EXPECT_EQ(TextOf(w, "Label5"), "画像 1/6");
    EXPECT_FALSE(IsEnabled(w, "Command_Back"));
    EXPECT_TRUE(Shown(w, "Picture1_3"));
    EXPECT_FALSE(Shown(w, "Picture2"));
    result->close();
}

// The comparison's figures are those of the plan table written beside it,
// and choosing a row shows that plan.
TEST(PlanResult, ComparisonTableHoldsThePlanTablesFiguresAndPagesToAPlan) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    Dialog_Com2DSP* result = OpenPlans(f, files, window);
    ASSERT_NE(result, nullptr);
    auto* grid = Find<QTableWidget>(*result, "Grid_Compare");
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 5);
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text().toStdString(), "主林木材積\nm3/ha");
    const auto tables = PlanTables(f.folder.path());
    ASSERT_EQ(tables.size(), 1u);
    const std::string table =
        Cp932ToUtf8(mk::test::ReadBytes(f.folder.File(tables[0]))).value_or("");
    // The rows of each plan, between its column headings and its closing rule.
    std::vector<std::vector<std::string>> plans;
    std::istringstream lines(table);
    std::string line;
    int rules = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("─", 0) == 0) {
            if (++rules % 4 == 3) plans.emplace_back();
            continue;
        }
        if (rules % 4 == 3 && line.size() > 120) plans.back().push_back(line);
    }
    ASSERT_EQ(plans.size(), 5u);
    auto cell = [&](int row, int column) {
        QString text = grid->item(row, column)->text();
        text.remove(QStringLiteral(" ◎"));
        return text.toStdString();
    };
    auto field = [](const std::string& row, std::size_t from, std::size_t width) {
        const std::string f = row.substr(from, width);
        return f.substr(f.find_first_not_of(' '));
    };
    int marked = 0;
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k + 1);
        const std::string& end = plans[static_cast<std::size_t>(k)].back();
        ASSERT_EQ(field(end, 0, 4), "100");
        EXPECT_EQ(cell(k, 2), field(end, 28, 7));               // volume
        EXPECT_EQ(cell(k, 3), field(end, 10, 6));               // mean DBH
        EXPECT_EQ(cell(k, 4), field(end, end.size() - 11, 7));  // total yield
        EXPECT_EQ(cell(k, 5), field(end, 47, 6));               // Ry
        int thinnings = 0;
        for (const std::string& row : plans[static_cast<std::size_t>(k)]) {
            if (row.substr(53, 68) != std::string(68, ' ')) ++thinnings;
        }
        EXPECT_EQ(cell(k, 0), std::to_string(thinnings));
        for (int c = 0; c < 7; ++c)
            marked += grid->item(k, c)->text().endsWith(QStringLiteral("◎"));
    }
    EXPECT_GE(marked, 7);  // every column has its best

    grid->selectRow(3);
    EXPECT_EQ(result->selectedPlan(), 4);
    EXPECT_TRUE(Checked(*result, "Option4"));
    EXPECT_EQ(TextOf(*result, "Label3"), "間伐回数：4");
    EXPECT_TRUE(Shown(*result, "Picture1_4"));
    // And the other way round: choosing a plan selects its row.
    Click(*result, "Option2");
    EXPECT_EQ(grid->currentRow(), 1);

    // The comparison saved as a CSV file of its own, proposed beside the table.
    const std::string csv = f.folder.File("比較.csv");
    f.scripted.files.Choose(QString::fromStdString(csv));
    Click(*result, "Command_CompareCsv");
    const std::string written = mk::test::ReadBytes(csv);
    EXPECT_EQ(written.find("\xEF\xBB\xBF計画,林齢,"), 0u);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 6);
    result->close();
}

TEST(PlanResult, KeepsItsGraphsWhenAYieldTableIsMadeMeanwhile) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    Dialog_Com2DSP* plans = OpenPlans(f, files, window);
    ASSERT_NE(plans, nullptr);
    Click(*plans, "Command_Next");
    const QImage before = PictureOf(*plans, "Picture2");

    // A yield table of another site class fills the same result arrays.
    QueueYieldTable(f);
    window.Command3_Click();
    ASSERT_TRUE(WaitFor([&] {
        auto* yield = window.findChild<Dialog_Com3DSP*>();
        return yield != nullptr && yield->activated();
    }));

    Click(*plans, "Command_Next");
    Click(*plans, "Command_Back");
    EXPECT_EQ(PictureOf(*plans, "Picture2"), before);
}

TEST(PlanResult, LeavesTheGraphsOfAnOpenYieldTableAsTheyWere) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    QueueYieldTable(f);
    window.Command3_Click();
    Dialog_Com3DSP* yield = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        yield = window.findChild<Dialog_Com3DSP*>();
        return yield != nullptr && yield->activated();
    }));
    Click(*yield, "Command_Next");
    Click(*yield, "Command_Next");
    const QImage before = PictureOf(*yield, "Picture2");

    ASSERT_NE(OpenPlans(f, files, window), nullptr);
    Click(*yield, "Command_Back");
    Click(*yield, "Command_Next");
    EXPECT_EQ(PictureOf(*yield, "Picture2"), before);
}

TEST(PlanResult, SavesTheImageOnShowAndOpensTheAllImageView) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    Dialog_Com2DSP* result = OpenPlans(f, files, window);
    ASSERT_NE(result, nullptr);
    QWidget& w = *result;

    const std::string bmp = f.folder.File("plan.bmp");
    f.scripted.files.Choose(QString::fromStdString(bmp));
    Click(w, "Command_PictSave");
    EXPECT_EQ(f.scripted.files.requests().back().title.toStdString(), "画像を保存します");
    EXPECT_EQ(f.scripted.files.requests().back().presetName.toStdString(),
              f.folder.path() + "/*.bmp");
    ASSERT_TRUE(fs::exists(bmp));
    EXPECT_EQ(mk::test::ReadBytes(bmp).substr(0, 2), "BM");
    // The offered name itself, or a cancel, saves nothing.
    f.scripted.files.Choose(QString::fromStdString(f.folder.path() + "/*.BMP"));
    Click(w, "Command_PictSave");
    f.scripted.files.Cancel();
    Click(w, "Command_PictSave");
    EXPECT_FALSE(fs::exists(f.folder.path() + "/*.BMP"));

    Click(w, "Option2");
    Click(w, "Command_ALLDSP");
    EXPECT_EQ(f.context->flags.AllImageViewOpen, -1);
    const auto images = f.context->allView.AllViewImageFiles;
    for (int i = 0; i <= 5; ++i) EXPECT_TRUE(fs::exists(images[i].toStdString())) << i;
    auto* view = window.findChild<MDIForm_ALLVIEW*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle().toStdString(), "収穫予測 sugi_survey.dat 地位：中 間伐回数：2");
    EXPECT_EQ(f.context->allView.AllViewImageTitles[0].toStdString(), "収穫予測");
    EXPECT_EQ(f.context->allView.AllViewImageTitles[5].toStdString(), "林齢－形状比");

    Click(w, "Command_ALLDSP");
    EXPECT_EQ(LastMessage(f.scripted),
              "現在オープン中の全画像表示ウィンドウを閉じてから実行してください。");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "実行エラー");

    // The view stays when the plan window closes, and takes its files with it.
    result->close();
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 0);
    view->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.context->flags.AllImageViewOpen, 0);
    for (const QString& image : images) EXPECT_FALSE(fs::exists(image.toStdString()));
}

TEST(PlanResult, MainWindowRefusesASecondPlanButNotAYieldTable) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    window.show();
    Dialog_Com2DSP* result = OpenPlans(f, files, window);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 2);
    const auto pagesShown = f.scripted.dialogs.shownWindows().size();

    window.Command2_Click();
    EXPECT_EQ(LastMessage(f.scripted),
              "現在オープン中の収穫予測表の作成ウィンドウを閉じてから実行してください。");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "実行エラー");
    EXPECT_EQ(f.scripted.dialogs.shownWindows().size(), pagesShown);

    // The yield table job is still open to the user.
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "CancelButton"); });
    window.Command3_Click();
    ASSERT_EQ(f.scripted.dialogs.shownWindows().size(), pagesShown + 1);
    EXPECT_EQ(f.scripted.dialogs.shownWindows().back().toStdString(), "Dialog_Com3_01");

    f.scripted.messages.clear();
    window.Command_Exit_Click();
    ASSERT_EQ(f.scripted.messages.shown().size(), 1u);
    EXPECT_EQ(LastMessage(f.scripted),
              "現在オープン中の施業体系の編成ウィンドウを閉じてから実行してください。");
    EXPECT_TRUE(window.isVisible());

    Click(*result, "OKButton");
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 0);
    // Closed, the job can be started again; its first page opens.
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "CancelButton"); });
    window.Command2_Click();
    EXPECT_EQ(f.scripted.dialogs.shownWindows().back().toStdString(), "Dialog_Com2_01");
    EXPECT_EQ(PlanTables(f.folder.path()), std::vector<std::string>{"YIELD_AA.160"});
}

TEST(PlanResult, ClosingDuringThePlansWaitsForThem) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    // Events are processed once a simulated year: the requests come from
    // inside the runs, as a user's clicks would.
    struct ClosingPump : EventPump {
        Form_Main* main = nullptr;
        bool asked = false;
        void Pump() override {
            if (asked) return;
            if (auto* r = main->findChild<Dialog_Com2DSP*>(); r != nullptr && r->isVisible()) {
                asked = true;
                EXPECT_FALSE(IsEnabled(*r, "Option3"));
                EXPECT_FALSE(IsEnabled(*r, "Command_Next"));
                r->close();
                EXPECT_TRUE(r->isVisible());
                main->Command2_Click();
                // The yield table and stand volume jobs would clear the run
                // records the plans are using.
                main->Command3_Click();
                main->Command4_Click();
                main->Command1_Click();
            }
        }
    } pump;
    pump.main = &window;
    f.context->services.pump = &pump;
    QueueDefaultPlan(f, files);
    window.Command2_Click();
    WaitFor([&] { return pump.asked && window.findChild<Dialog_Com2DSP*>() == nullptr; }, 10000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(pump.asked);
    EXPECT_EQ(window.findChild<Dialog_Com2DSP*>(), nullptr);
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 0);
    EXPECT_FALSE(f.context->computationRunning);
    const auto& shown = f.scripted.messages.shown();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[shown.size() - 4].text,
              "現在オープン中の収穫予測表の作成ウィンドウを閉じてから実行してください。");
    EXPECT_EQ(shown[shown.size() - 3].text, "計算中です。計算が終わってから実行してください。");
    EXPECT_EQ(shown[shown.size() - 2].text, "計算中です。計算が終わってから実行してください。");
    EXPECT_EQ(shown.back().text, "計算中です。計算が終わってから実行してください。");
    EXPECT_EQ(shown.back().title, "実行エラー");
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.scripted.dialogs.shownWindows().back().toStdString(), "Dialog_Com2_06");
    // The table holds all five plans.
    const std::string table = mk::test::ReadBytes(f.folder.File("YIELD_AA.160"));
    const std::string heading = mk::test::Sjis("収穫予測    使用ファイル：");
    int headings = 0;
    for (auto at = table.find(heading); at != std::string::npos; at = table.find(heading, at + 1)) {
        ++headings;
    }
    EXPECT_EQ(headings, 5);
    f.context->services.pump = &f.scripted.pump;
}

// Closes the window of type W while the window of type During runs.
template <typename W, typename During>
struct ClosingWindowPump : EventPump {
    Form_Main* main = nullptr;
    bool armed = false;
    bool closed = false;
    void Pump() override {
        if (!armed || closed) return;
        auto* running = main->findChild<During*>();
        if (running == nullptr || !running->isVisible()) return;
        if (auto* w = main->findChild<W*>(); w != nullptr && w->isVisible()) {
            closed = true;
            w->close();
        }
    }
};

int PlanHeadings(const std::string& path) {
    const std::string table = mk::test::ReadBytes(path);
    const std::string heading = mk::test::Sjis("収穫予測    使用ファイル：");
    int count = 0;
    for (auto at = table.find(heading); at != std::string::npos; at = table.find(heading, at + 1)) {
        ++count;
    }
    return count;
}

TEST(PlanResult, ClosingTheOtherResultWindowDuringARunLeavesItsTableWhole) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    QueueYieldTable(f);
    window.Command3_Click();
    ASSERT_TRUE(WaitFor([&] {
        auto* yield = window.findChild<Dialog_Com3DSP*>();
        return yield != nullptr && yield->activated();
    }));
    // The yield window is closed while the plans run.
    ClosingWindowPump<Dialog_Com3DSP, Dialog_Com2DSP> closeYield;
    closeYield.main = &window;
    f.context->services.pump = &closeYield;
    closeYield.armed = true;
    ASSERT_NE(OpenPlans(f, files, window), nullptr);
    EXPECT_TRUE(closeYield.closed);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_EQ(PlanHeadings(f.folder.File("YIELD_AA.160")), 5);

    // The plan window is closed while a yield table is made.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ClosingWindowPump<Dialog_Com2DSP, Dialog_Com3DSP> closePlans;
    closePlans.main = &window;
    f.context->services.pump = &closePlans;
    QueueYieldTable(f);
    closePlans.armed = true;
    window.Command3_Click();
    ASSERT_TRUE(WaitFor([&] {
        auto* yield = window.findChild<Dialog_Com3DSP*>();
        return yield != nullptr && yield->activated();
    }));
    EXPECT_TRUE(closePlans.closed);
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 0);
    EXPECT_TRUE(std::filesystem::exists(f.folder.File("YIELD_AB.150")));
    f.context->services.pump = &f.scripted.pump;
}

TEST(PlanResult, ADiagramOfUnknownTypeClosesTheWindowWithoutAFile) {
    AppFixture f;
    RegionFiles files(f);
    // The type on the first value line becomes 3.
    std::string prm = mk::test::ReadBytes(files.prm);
    const std::size_t line2 = prm.find("\r\n") + 2;
    prm.replace(line2, prm.find("\r\n", line2) - line2, "3");
    mk::test::WriteBytes(files.prm, prm);
    Form_Main window(*f.context);
    QueueDefaultPlan(f, files);
    window.Command2_Click();
    EXPECT_TRUE(WaitFor([&] { return f.context->flags.PlanWindowOpen == 0; }));
    EXPECT_EQ(LastMessage(f.scripted), "林分密度管理図の種類が正しくありません（1または2）。");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "TABLECALC2");
    EXPECT_TRUE(PlanTables(f.folder.path()).empty());
}

TEST(PlanStandPage, ACalculatedSiteClassFixesTheAgeAndHeight) {
    AppFixture f;
    Workspace& ws = f.context->ws;
    ASSERT_TRUE(ReadPrmFile(f.prm, ws.Diagram, f.scripted.messages));
    ASSERT_TRUE(ReadParFile(f.par, ws.HeightCurve, f.scripted.messages));
    ws.Run.PrmFileName = f.prm;
    ws.Run.ParFileName = f.par;
    ws.Run.SiteClass = kSiteMeasured;
    ws.Run.SiteCurveScale = SiteCurveScale(ws.HeightCurve, 2).value_or(0);
    ws.CurrentStand.SiteText = "測定";
    ws.CurrentStand.SiteCalcAge = 25;
    ws.CurrentStand.SiteCalcHeight = 14.24;
    ws.Plan.StandStateKnown = 1;
    ws.Plan.TargetDecided = 2;
    ws.Plan.PageCount = 6;
    ws.Plan.PageNumber = 4;
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text1"), "25");
        EXPECT_FALSE(IsEnabled(page, "Text1"));
        EXPECT_FALSE(Find<QWidget>(page, "HScroll1")->isVisibleTo(&page));
        EXPECT_EQ(TextOf(page, "Text2"), "14.2");
        EXPECT_FALSE(IsEnabled(page, "Text2"));
        EXPECT_EQ(TextOf(page, "Label_Desc"),
                  "現在の林分状態（林齢及び立木本数）を設定してください。\n地位：測定　使用ファイル"
                  "：sugi_type1.prm,sugi.PAR");
        // The stem-number bar never starts above what the stand can hold.
        auto* stems = Find<QScrollBar>(page, "HScroll3");
        EXPECT_LE(stems->minimum(), stems->maximum());
        SetBar(page, "HScroll3", stems->maximum());
        EXPECT_FALSE(TextOf(page, "Text6").empty());
        TypeText(page, "Text3", QStringLiteral("999999"));
        EXPECT_EQ(stems->value(), stems->maximum());
        Click(page, "OKButton");
    });
    Dialog_Com2_04 page(*f.context);
    f.context->services.dialogs->Run(page);
    EXPECT_EQ(f.context->flags.WizardResult, 1);
    EXPECT_EQ(ws.Plan.StartAge, 25);
    EXPECT_EQ(ws.Run.CurrentAge, 25);
    EXPECT_GT(ws.Plan.StartPlantingDensity, ws.Plan.StartStemNumber);
    EXPECT_EQ(ws.Plan.EndAge, 100);
}

}  // namespace
}  // namespace mk::app::test
