// The last wizard pages: the thinning schedule with its proposals and
// scrolling rows (methods 1-3) and the thinning bounds with their warnings
// (methods 4-6).

#include <gtest/gtest.h>

#include <QDialog>

#include "app/yield/wizard_bounds_page.h"
#include "app/yield/wizard_schedule_page.h"
#include "app_test_support.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/yield/thinning_proposal.h"

namespace mk::app::test {
namespace {

// A run of the example files as the first three pages leave it.
void PrepareRun(AppFixture& f, int method) {
    Workspace& ws = f.context->ws;
    ASSERT_TRUE(ReadPrmFile(f.prm, ws.Diagram, f.scripted.messages));
    ASSERT_TRUE(ReadParFile(f.par, ws.HeightCurve, f.scripted.messages));
    ws.Run.PrmFileName = f.prm;
    ws.Run.ParFileName = f.par;
    ws.Run.SiteClass = 2;
    ws.Run.SiteCurveScale = *SiteCurveScale(ws.HeightCurve, 2);
    ws.Run.ThinningMethod = method;
    ws.Run.StemSettingMethod = 1;
    ws.Run.PlantingStemNumber = 3000;
    ws.Run.CurrentAge = 1;
    ws.Run.EndAge = 80;
}

TEST(SchedulePage, ProposesEachThinningAfterTheOneChosenBeforeAndScrollsFiveRows) {
    AppFixture f;
    PrepareRun(f, 1);
    const ThinningProposal proposal = ProposeThinnings(f.context->ws);
    Dialog_Com3_04_1 page(*f.context);
    EXPECT_EQ(TextOf(page, "Label0"), "間伐回数(0-11)");
    EXPECT_EQ(TextOf(page, "Command1"), "決定");
    EXPECT_FALSE(IsEnabled(page, "OKButton"));
    SetBar(page, "HScroll00", 5);
    EXPECT_EQ(TextOf(page, "Text_TryNum"), "5");

    std::vector<int> starts;
    for (int j = 1; j <= 5; ++j) {
        f.scripted.dialogs.Then([&starts, j](QDialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), "林齢と間伐率");
            EXPECT_EQ(TextOf(d, "Label_desc"),
                      std::to_string(j) + "回目間伐の林齢、間伐率を設定してください。");
            auto* key = Find<QScrollBar>(d, "HScroll1");
            starts.push_back(key->value());
            EXPECT_EQ(key->minimum(), key->value());
            EXPECT_EQ(TextOf(d, "Text2"), "0.10");
            // The user moves the first thinning well later; the later
            // proposals follow it.
            if (j == 1) key->setValue(key->value() + 7);
            SetBar(d, "HScroll2", 25 + j);
            Click(d, "OKButton");
        });
    }
    page.show();
    Click(page, "Command1");
    ASSERT_EQ(starts.size(), 5u);
    EXPECT_EQ(starts[0], proposal.aStar);
    for (int j = 2; j <= 5; ++j) {
        EXPECT_EQ(starts[j - 1], proposal.aStar + 7 + j - 1) << j;
    }
    EXPECT_EQ(TextOf(page, "Label0"), "間伐回数は5回です。");
    EXPECT_EQ(TextOf(page, "Command1"), "やり直し");
    EXPECT_TRUE(IsEnabled(page, "OKButton"));
    EXPECT_EQ(TextOf(page, "Label99"), "林齢と間伐率");
    const RunSettings& run = f.context->ws.Run;
    EXPECT_EQ(run.ThinningKey[1], proposal.aStar + 7);
    EXPECT_DOUBLE_EQ(run.ThinningRate[3], 0.28);

    auto* scroll = Find<QScrollBar>(page, "VScroll1");
    EXPECT_TRUE(scroll->isVisible());
    EXPECT_EQ(scroll->minimum(), 1);
    EXPECT_EQ(scroll->maximum(), 5);
    EXPECT_EQ(TextOf(page, "Label1"), "1回目間伐");
    EXPECT_EQ(TextOf(page, "Text1"), std::to_string(proposal.aStar + 7));
    EXPECT_EQ(TextOf(page, "Text4"), "0.26");
    scroll->setValue(5);
    EXPECT_EQ(TextOf(page, "Label1"), "3回目間伐");
    EXPECT_EQ(TextOf(page, "Label3"), "5回目間伐");
    EXPECT_EQ(TextOf(page, "Text6"), "0.30");
    scroll->setValue(3);
    EXPECT_EQ(TextOf(page, "Label1"), "2回目間伐");
    EXPECT_EQ(TextOf(page, "Label3"), "4回目間伐");

    f.scripted.messages.Script(MessageAnswer::Cancel);
    Click(page, "OKButton");
    EXPECT_EQ(run.ThinningCount, 5);
    EXPECT_EQ(f.scripted.messages.shown().back().title, "パラメータ設定確認");
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(f.context->flags.WizardResult, 0);

    // Starting again discards the panel but keeps what was entered.
    Click(page, "Command1");
    EXPECT_EQ(TextOf(page, "Command1"), "決定");
    EXPECT_FALSE(Find<QWidget>(page, "Picture1")->isVisible());
    EXPECT_FALSE(IsEnabled(page, "OKButton"));
    EXPECT_EQ(run.ThinningKey[1], proposal.aStar + 7);
}

// A first thinning moved to the end year leaves no age for the second:
// "完了" refuses the schedule instead of making a run without it.
TEST(SchedulePage, AThinningAfterTheEndYearIsRefused) {
    AppFixture f;
    PrepareRun(f, 1);
    Dialog_Com3_04_1 page(*f.context);
    page.show();
    SetBar(page, "HScroll00", 2);
    f.scripted.dialogs.Then([](QDialog& d) {
        auto* key = Find<QScrollBar>(d, "HScroll1");
        EXPECT_EQ(key->maximum(), 80);
        key->setValue(80);
        Click(d, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& d) {
        EXPECT_EQ(Find<QScrollBar>(d, "HScroll1")->value(), 81);
        Click(d, "OKButton");
    });
    Click(page, "Command1");
    Click(page, "OKButton");
    ASSERT_EQ(f.scripted.messages.shown().size(), 1u);
    EXPECT_EQ(LastMessage(f.scripted), "2回目間伐の林齢（81）が計算終了年（80）より後です。");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "収穫予測表の作成－パラメータ設定(4/4)");
    EXPECT_EQ(f.scripted.messages.shown().back().icon, MessageIcon::Error);
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(f.context->flags.WizardResult, 0);
}

TEST(SchedulePage, NoThinningAndKeysWithOneDecimal) {
    AppFixture f;
    PrepareRun(f, 2);
    Dialog_Com3_04_1 page(*f.context);
    page.show();
    SetBar(page, "HScroll00", 0);
    Click(page, "Command1");
    EXPECT_EQ(TextOf(page, "Label0"), "間伐回数は0回です。");
    EXPECT_FALSE(Find<QWidget>(page, "Picture1")->isVisible());
    EXPECT_TRUE(IsEnabled(page, "OKButton"));
    EXPECT_TRUE(f.scripted.dialogs.shownWindows().isEmpty());

    Click(page, "Command1");
    SetBar(page, "HScroll00", 2);
    // A dialog closed without OK keeps its proposal.
    f.scripted.dialogs.Then([](QDialog& d) {
        EXPECT_EQ(TextOf(d, "Label1"), "上層樹高");
        EXPECT_EQ(TextOf(d, "Text1").find('.'), TextOf(d, "Text1").size() - 2);
        d.close();
    });
    f.scripted.dialogs.Then([](QDialog& d) { Click(d, "OKButton"); });
    Click(page, "Command1");
    const ThinningProposal proposal = ProposeThinnings(f.context->ws);
    EXPECT_DOUBLE_EQ(f.context->ws.Run.ThinningKey[1], ProposedKey(proposal, 1));
    EXPECT_DOUBLE_EQ(f.context->ws.Run.ThinningRate[1], 0.1);
    EXPECT_FALSE(Find<QWidget>(page, "VScroll1")->isVisible());
    EXPECT_FALSE(Find<QWidget>(page, "Label3")->isVisible());
    const std::string key = TextOf(page, "Text1");
    EXPECT_EQ(key.find('.'), key.size() - 2) << key;
}

TEST(BoundsPage, WarnsOfRyBoundsButStoresThem) {
    AppFixture f;
    PrepareRun(f, 5);
    Dialog_Com3_04_2 page(*f.context);
    page.show();
    EXPECT_EQ(TextOf(page, "Label1"), "収量比数の上限");
    EXPECT_EQ(TextOf(page, "Text_Value1"), "0.80");
    EXPECT_EQ(TextOf(page, "Text_Value2"), "0.70");
    SetBar(page, "HScroll1", 91);
    // The lower bound can never pass the upper one.
    EXPECT_EQ(Find<QScrollBar>(page, "HScroll2")->maximum(), 91);
    SetBar(page, "HScroll2", 55);
    SetBar(page, "HScroll1", 50);
    EXPECT_EQ(TextOf(page, "Text_Value2"), "0.50");
    SetBar(page, "HScroll1", 91);
    SetBar(page, "HScroll2", 55);
    Click(page, "OKButton");
    const auto& shown = f.scripted.messages.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text,
              "収量比数は 0.9 以下が望ましい。\r\n収量比数は 0.6 以上が望ましい。\r\n"
              "１回の間伐で動かす収量比数は 0.15 以下が望ましい。");
    EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(shown[0].title, "収穫予測表の作成－パラメータ設定(4/4)");
    const RunSettings& run = f.context->ws.Run;
    EXPECT_DOUBLE_EQ(run.RyUpper, 0.91);
    EXPECT_DOUBLE_EQ(run.RyTarget, 0.91);
    EXPECT_DOUBLE_EQ(run.RyLower, 0.55);
    EXPECT_EQ(run.BoundThinningRate, 0);
    EXPECT_EQ(f.context->flags.WizardResult, 1);
}

TEST(BoundsPage, FifteenHundredthsInBinaryFloatingPoint) {
    // 0.75 - 0.60 exceeds 0.15 as doubles; 0.70 - 0.55 does not.
    for (auto [upper, lower, warned] : {std::tuple{75, 60, true}, std::tuple{70, 55, false}}) {
        AppFixture f;
        PrepareRun(f, 5);
        Dialog_Com3_04_2 page(*f.context);
        SetBar(page, "HScroll1", upper);
        SetBar(page, "HScroll2", lower);
        Click(page, "OKButton");
        const std::string first = f.scripted.messages.shown().front().text;
        const bool shown = first.find("0.15 以下") != std::string::npos;
        EXPECT_EQ(shown, warned) << upper << "/" << lower;
    }
}

TEST(BoundsPage, SlendernessAgeWindowAndItsLimits) {
    AppFixture f;
    PrepareRun(f, 6);
    f.context->ws.Run.EndAge = 150;
    Dialog_Com3_04_2 page(*f.context);
    const int earliest = EarliestThinningAge(f.context->ws);
    auto* start = Find<QScrollBar>(page, "HScroll3");
    auto* end = Find<QScrollBar>(page, "HScroll4");
    EXPECT_EQ(start->minimum(), earliest);
    EXPECT_EQ(start->value(), earliest);
    EXPECT_EQ(end->value(), 100);
    start->setValue(earliest + 30);
    EXPECT_EQ(end->minimum(), earliest + 30);
    end->setValue(0);
    EXPECT_EQ(TextOf(page, "Text_KanbatsuEndY"), std::to_string(earliest + 30));
    SetBar(page, "HScroll1", 80);
    Click(page, "OKButton");
    EXPECT_EQ(f.scripted.messages.shown().size(), 1u);  // no warning at 80
    const RunSettings& run = f.context->ws.Run;
    EXPECT_DOUBLE_EQ(run.SlendernessUpper, 0.8);
    EXPECT_DOUBLE_EQ(run.SlendernessLower, 0.7);
    EXPECT_EQ(run.ThinningFromAge, earliest + 29);
    EXPECT_EQ(run.ThinningToAge, earliest + 31);
    EXPECT_EQ(run.RyUpper, 0);

    f.context->ws.Run.EndAge = 150;
    Dialog_Com3_04_2 again(*f.context);
    SetBar(again, "HScroll1", 81);
    Click(again, "OKButton");
    EXPECT_EQ(f.scripted.messages.shown()[1].text,
              "気象害の恐れのある場合は形状比を小さくしましょう。");
}

}  // namespace
}  // namespace mk::app::test
