// What the wizard pages compute through the core: the current stand, the
// stem-number range and the first thinning proposal. Expected values were
// computed separately from the diagram equations.

#include <gtest/gtest.h>

#include <cmath>

#include "core/model/site_class.h"
#include "core/yield/current_stand.h"
#include "core/yield/thinning_proposal.h"
#include "yield_fixture.h"

namespace mk::test {
namespace {

TEST_F(YieldRunTest, StemNumberRangeFollowsTheFullDensityLineUpTo10000) {
    const StemNumberRange tall = StemNumberRangeFor(ws.Diagram, 20);
    EXPECT_EQ(tall.maximum, 3009);
    EXPECT_EQ(tall.start, 1504);
    EXPECT_EQ(tall.largeStep, 281);
    EXPECT_EQ(StemNumberLabel(tall), "現在の立木本数(200-3009)");

    const StemNumberRange young = StemNumberRangeFor(ws.Diagram, 2);
    EXPECT_EQ(young.maximum, 10000);
    EXPECT_EQ(young.start, 5000);
    EXPECT_EQ(young.largeStep, 980);
    EXPECT_EQ(StemNumberLabel(young), "現在の立木本数(200-10000)");
}

TEST_F(YieldRunTest, CurrentStandValuesOfAMeasuredStand) {
    CurrentStandState& stand = ws.CurrentStand;
    ws.Run.SiteClass = 4;
    stand.SiteCalcHeight = 13.2;
    stand.CurrentRy = -1;
    stand.CurrentHeight = *CurrentHeightAt(ws.Run, stand, ws.HeightCurve, 25);
    EXPECT_EQ(stand.CurrentHeight, 13.2);
    CountingEventPump bisection;
    RefreshCurrentStand(ws.Diagram, stand, 1800, bisection);
    EXPECT_EQ(stand.CurrentPlantingDensity, 2007);
    EXPECT_NEAR(stand.CurrentVolume, 216.10980697684099, 1e-9);
    EXPECT_NEAR(stand.CurrentDbh, 15.505105985632705, 1e-9);
    EXPECT_NEAR(stand.CurrentSlenderness, 85.13324586256518, 1e-9);
    EXPECT_NEAR(stand.CurrentRy, 0.5862542271546511, 1e-12);
    EXPECT_GT(bisection.count, 10);
    const auto shown = CurrentStandDisplay(stand);
    EXPECT_EQ(shown[0], "13.2");
    EXPECT_EQ(shown[1], "216.1");
    EXPECT_EQ(shown[2], "15.5");
    EXPECT_EQ(shown[3], "0.59");
    EXPECT_EQ(shown[4], "85.1");
    EXPECT_EQ(shown[5], "2007");

    // A diagram without a yield index gives the stand no Ry: the one of the
    // stand shown before is not shown again.
    ws.Diagram.Prm[0] = 3;
    RefreshCurrentStand(ws.Diagram, stand, 1500, bisection);
    EXPECT_TRUE(std::isnan(stand.CurrentRy));
    EXPECT_EQ(CurrentStandDisplay(stand)[3], "－");
}

TEST_F(YieldRunTest, CurrentHeightOfAKnownSiteClassComesFromItsCurve) {
    ws.Run.SiteClass = 1;
    ws.Run.SiteCurveScale = *SiteCurveScale(ws.HeightCurve, 1);
    EXPECT_EQ(*CurrentHeightAt(ws.Run, ws.CurrentStand, ws.HeightCurve, 30),
              *SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, 30));
}

TEST_F(YieldRunTest, TheProposalStartsOneStepBeforeRyReaches04) {
    ws.Run.ThinningMethod = 1;
    ws.Run.EndAge = 80;
    ThinningProposal p = ProposeThinnings(ws);
    EXPECT_EQ(p.firstAge, 1);
    EXPECT_EQ(p.aStar, 10);
    EXPECT_NEAR(p.heightAtStar, 6.015380737517884, 1e-12);
    EXPECT_NEAR(p.dbhAtStar, 7.869666279279996, 1e-12);
    EXPECT_EQ(p.keyScale, 1);
    EXPECT_EQ(p.key0, 9);
    EXPECT_EQ(p.rate0, 0.1);
    EXPECT_EQ(p.keyMaximum, 80);
    EXPECT_EQ(ProposedKey(p, 1), 10);
    EXPECT_EQ(ProposedKey(p, 3), 12);

    ws.Run.ThinningMethod = 2;
    p = ProposeThinnings(ws);
    EXPECT_EQ(p.keyScale, 10);
    EXPECT_NEAR(p.key0, 5.015380737517884, 1e-12);
    EXPECT_EQ(p.keyMaximum, ws.Run.SiteCurveScale);

    ws.Run.ThinningMethod = 3;
    p = ProposeThinnings(ws);
    EXPECT_NEAR(p.key0, 6.869666279279996, 1e-12);
    EXPECT_EQ(p.keyMaximum, 70);
}

TEST_F(YieldRunTest, TheProposalOfAStandAlreadyAbove04IsItsFirstYear) {
    ws.Run.ThinningMethod = 1;
    ws.Run.StemSettingMethod = 2;
    ws.Run.CurrentAge = 30;
    ws.CurrentStand.CurrentPlantingDensity = 3000;
    const ThinningProposal p = ProposeThinnings(ws);
    EXPECT_EQ(p.firstAge, 30);
    EXPECT_EQ(p.aStar, 30);
    EXPECT_EQ(p.key0, 29);
}

TEST_F(YieldRunTest, AStandThatNeverReaches04IsProposedAtAge200) {
    ws.Run.ThinningMethod = 1;
    ws.Run.PlantingStemNumber = 120;
    const ThinningProposal p = ProposeThinnings(ws);
    EXPECT_EQ(p.aStar, 200);
}

}  // namespace
}  // namespace mk::test
