// The site class calculation dialog on its own: the height bar that follows the age only while the
// box is checked.

#include <gtest/gtest.h>

#include <QCheckBox>

#include "app/yield/site_class_calculation_dialog.h"
#include "app_test_support.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"

namespace mk::app::test {
namespace {

TEST(SiteClassDialog, HeightFollowsTheAgeOnlyWhileLinked) {
    AppFixture f;
    Workspace& ws = f.context->ws;
    ASSERT_TRUE(ReadPrmFile(f.prm, ws.Diagram, f.scripted.messages));
    ASSERT_TRUE(ReadParFile(f.par, ws.HeightCurve, f.scripted.messages));
    SiteCalculationResult result;
    Dialog_Com3_01Ext dialog(*f.context, result);
    dialog.show();
    EXPECT_TRUE(f.scripted.messages.shown().empty());
    auto* height = Find<QScrollBar>(dialog, "HScroll2");
    SetBar(dialog, "HScroll1", 20);
    const int at20 = height->value();
    SetBar(dialog, "HScroll1", 50);
    EXPECT_GT(height->value(), at20);
    Find<QCheckBox>(dialog, "Check1")->setChecked(false);
    const int kept = height->value();
    SetBar(dialog, "HScroll1", 30);
    EXPECT_EQ(height->value(), kept);
    EXPECT_EQ(TextOf(dialog, "Text1"), "30");
    // Cancel hands back nothing.
    Click(dialog, "CancelButton");
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.scale, 0);
}

// At age 3 the middle curve of the example runs at 1.2 m, below the lowest
// survey plot (1.3 m): the linked height must stay the curve's own, so the
// stand is found on the middle curve, whether the dialog opens there or the
// age bar comes back to it.
TEST(SiteClassDialog, LinkedHeightBelowThePlotsIsTheCurvesOwn) {
    for (const bool moveAway : {false, true}) {
        SCOPED_TRACE(moveAway ? "age moved back to 3" : "age 3 on opening");
        AppFixture f;
        Workspace& ws = f.context->ws;
        ASSERT_TRUE(ReadPrmFile(f.prm, ws.Diagram, f.scripted.messages));
        ASSERT_TRUE(ReadParFile(f.par, ws.HeightCurve, f.scripted.messages));
        SiteCalculationResult result;
        Dialog_Com3_01Ext dialog(*f.context, result);
        dialog.show();
        auto* age = Find<QScrollBar>(dialog, "HScroll1");
        ASSERT_EQ(age->minimum(), 3);
        if (moveAway) {
            SetBar(dialog, "HScroll1", 40);
            SetBar(dialog, "HScroll1", 3);
        }
        EXPECT_EQ(TextOf(dialog, "Text1"), "3");
        EXPECT_EQ(TextOf(dialog, "Text2"), "1.2");
        EXPECT_EQ(Find<QScrollBar>(dialog, "HScroll2")->value(), 12);
        Click(dialog, "Command_Calc");
        EXPECT_EQ(TextOf(dialog, "Label3"), "地位は　中　に相当します。");
        Click(dialog, "OKButton");
        EXPECT_EQ(result.code, 4);
        EXPECT_DOUBLE_EQ(result.height, 1.2);
        EXPECT_EQ(result.siteText, "中・推定");
    }
}

TEST(SiteClassDialog, SaysWhichParametersAreMissing) {
    AppFixture f;
    SiteCalculationResult result;
    Dialog_Com3_01Ext dialog(*f.context, result);
    const auto& shown = f.scripted.messages.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "PRMパラメータNG");
    EXPECT_EQ(shown[0].title, "地位の計算");
    EXPECT_EQ(shown[1].text, "PARパラメータNG");
    dialog.show();
    // No curve, so no survey file name: no plot, but the dialog stays usable.
    EXPECT_EQ(shown.back().text, "DATファイル名無し");
    EXPECT_EQ(shown.back().title, "DATファイル読み込みNG");
    EXPECT_TRUE(IsEnabled(dialog, "Command_Calc"));
}

}  // namespace
}  // namespace mk::app::test
