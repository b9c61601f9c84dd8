#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "core/host/recording_messages.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "model_test_support.h"
#include "support/step_limit_pump.h"

namespace mk {
namespace {

using test::SugiDiagram;

HeightCurveParameters Curve(int kind, double m, double b, double k, double band) {
    HeightCurveParameters c;
    c.CurveKind = kind;
    c.CurveM = m;
    c.CurveB = b;
    c.CurveK = k;
    c.BandCoefficient = band;
    c.HeightCurveLoaded = true;
    return c;
}

TEST(SiteClassName, NamesTheThreeClassesAndTheMeasuredOne) {
    EXPECT_EQ(SiteClassName(1), "上");
    EXPECT_EQ(SiteClassName(2), "中");
    EXPECT_EQ(SiteClassName(3), "下");
    EXPECT_EQ(SiteClassName(4, "中・推定"), "中・推定");
    EXPECT_EQ(SiteClassName(1, "中・推定"), "上");
    EXPECT_EQ(SiteClassName(0, "x"), "");
    EXPECT_EQ(SiteClassName(5, "x"), "");
}

TEST(SiteClassText, BandsIncludeTheirInnerLimits) {
    EXPECT_EQ(SiteClassText(0.0), "中");
    EXPECT_EQ(SiteClassText(0.46), "中");
    EXPECT_EQ(SiteClassText(-0.46), "中");
    EXPECT_EQ(SiteClassText(0.4600001), "上");
    EXPECT_EQ(SiteClassText(2.71), "上");
    EXPECT_EQ(SiteClassText(2.7100001), "上の上");
    EXPECT_EQ(SiteClassText(-2.71), "下");
    EXPECT_EQ(SiteClassText(-2.7100001), "下の下");
}

TEST(SiteFromMeasuredStand, CurveThroughTheStandAndTheBandLimit) {
    HeightCurveParameters c = Curve(3, 30, 2.5, 0.05, 0.15);
    const double hm = *SiteHeight(c, 30.0, 40);
    // On the middle curve: class 中 and the middle scale.
    auto middle = SiteFromMeasuredStand(c, 40, hm);
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->classText, "中");
    EXPECT_NEAR(middle->scale, 30.0, 1e-12);
    // One band unit above: the curve through the stand passes its height.
    const double taller = hm * std::exp(0.15);
    auto upper = SiteFromMeasuredStand(c, 40, taller);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->classText, "上");
    EXPECT_NEAR(upper->deviation, 1.0, 1e-12);
    EXPECT_NEAR(*SiteHeight(c, upper->scale, 40), taller, 1e-9);
    // Beyond 3.84 band units either way, or no height at all: not believed.
    EXPECT_TRUE(SiteFromMeasuredStand(c, 40, hm * std::exp(0.15 * 3.83)));
    EXPECT_FALSE(SiteFromMeasuredStand(c, 40, hm * std::exp(0.15 * 3.85)));
    EXPECT_FALSE(SiteFromMeasuredStand(c, 40, hm * std::exp(-0.15 * 3.85)));
    EXPECT_FALSE(SiteFromMeasuredStand(c, 40, 0.0));
    c.CurveKind = 0;
    EXPECT_FALSE(SiteFromMeasuredStand(c, 40, hm));
}

TEST(SiteCurveScale, ScalesOnlyTheAsymptoteByTheBand) {
    const HeightCurveParameters c = Curve(1, 30.0, 1.04, 0.026, 0.15);
    EXPECT_EQ(SiteCurveScale(c, 1), 30.0 * std::exp(0.15));
    EXPECT_EQ(SiteCurveScale(c, 2), 30.0);
    EXPECT_EQ(SiteCurveScale(c, 3), 30.0 * std::exp(-0.15));
    // The measured stand's scale belongs to the site class calculation.
    EXPECT_FALSE(SiteCurveScale(c, 4).has_value());
    EXPECT_FALSE(SiteCurveScale(c, 0).has_value());
}

TEST(SiteHeight, FollowsEachKindOfCurve) {
    EXPECT_EQ(SiteHeight(30.0, 1, 0.9, 0.03, 40), 30.0 * (1.0 - 0.9 * std::exp(-0.03 * 40.0)));
    EXPECT_EQ(SiteHeight(30.0, 2, 9.0, 0.08, 40), 30.0 / (9.0 * std::exp(-0.08 * 40.0) + 1.0));
    EXPECT_EQ(SiteHeight(30.0, 3, 2.5, 0.05, 40), 30.0 * std::exp(-2.5 * std::exp(-0.05 * 40.0)));
    // Approaching the asymptote at old ages.
    for (int kind : {1, 2, 3}) EXPECT_NEAR(*SiteHeight(30.0, kind, 2.0, 0.1, 400), 30.0, 1e-9);
}

TEST(SiteHeight, OnlyMitscherlichIsRaisedToAQuarterMetre) {
    // b > 1 puts the Mitscherlich curve below zero at age 0.
    EXPECT_EQ(SiteHeight(30.0, 1, 1.2, 0.03, 0), 0.25);
    EXPECT_EQ(SiteHeight(30.0, 1, 1.0, 0.03, 0), 0.25);
    // The other kinds may start lower: no floor for them.
    EXPECT_LT(*SiteHeight(30.0, 2, 500.0, 0.05, 0), 0.25);
    EXPECT_LT(*SiteHeight(30.0, 3, 8.0, 0.05, 0), 0.25);
}

TEST(SiteHeight, UnknownKindLeavesTheCallersValue) {
    for (int kind : {0, 4, -1}) EXPECT_FALSE(SiteHeight(30.0, kind, 1.0, 0.03, 20).has_value());
    const HeightCurveParameters cleared{};
    EXPECT_FALSE(SiteHeight(cleared, 30.0, 20).has_value());
}

TEST(SiteHeight, UpperAndLowerAreSymmetricInLogHeight) {
    for (int kind : {1, 2, 3}) {
        const HeightCurveParameters c = kind == 1   ? Curve(1, 29.7, 1.04, 0.026, 0.136)
                                        : kind == 2 ? Curve(2, 28.0, 12.0, 0.09, 0.136)
                                                    : Curve(3, 28.0, 3.0, 0.06, 0.136);
        for (int age = 1; age <= 200; ++age) {
            const double upper = *SiteHeight(c, *SiteCurveScale(c, 1), age);
            const double middle = *SiteHeight(c, *SiteCurveScale(c, 2), age);
            const double lower = *SiteHeight(c, *SiteCurveScale(c, 3), age);
            if (kind == 1 && lower == 0.25) continue;  // the floor breaks the symmetry
            EXPECT_NEAR(upper * lower, middle * middle, middle * middle * 1e-12)
                << "kind " << kind << " age " << age;
        }
    }
    // And the floor does apply early on the example's Mitscherlich curve.
    const HeightCurveParameters c = Curve(1, 29.7, 1.04, 0.026, 0.136);
    EXPECT_EQ(SiteHeight(c, *SiteCurveScale(c, 3), 1), 0.25);
}

TEST(GompertzResidual, IsObservationMinusCurve) {
    EXPECT_EQ(GompertzResidual(28.0, 2.5, 0.05, 20.0, 40.0),
              20.0 - 28.0 * std::exp(-2.5 * std::exp(-0.05 * 40.0)));
    EXPECT_NEAR(GompertzResidual(28.0, 2.5, 0.05, 28.0, 1000.0), 0.0, 1e-12);
}

TEST(NaturalThinning, MatchesAnIndependentComputation) {
    EXPECT_EQ(NaturalThinningStems(SugiDiagram(), 3000.0, 17.5), 2430.566513892703);
}

TEST(NaturalThinning, LosesAlmostNothingWhileTheStandIsTiny) {
    const DensityDiagramParameters d = SugiDiagram();
    for (double p : {1000.0, 3000.0, 10000.0}) {
        const double n = NaturalThinningStems(d, p, 0.05);
        EXPECT_LE(n, p);
        EXPECT_NEAR(n, p, p * 1e-3) << p;
    }
}

TEST(NaturalThinning, StemsLostEqualVolumeOverThePlantingCoefficient) {
    const DensityDiagramParameters d = SugiDiagram();
    const double c = d.Prm[15];
    for (double p : {1000.0, 3000.0, 10000.0}) {
        double previous = p;
        for (double h = 1.0; h <= 40.0; h += 1.0) {
            const double n = NaturalThinningStems(d, p, h);
            ASSERT_GT(n, 0.0);
            ASSERT_LT(n, p);  // the positive root, never the negative one
            EXPECT_LE(n, previous) << "stems never come back as the stand grows";
            const double planted =
                n + StandVolume(d, h, n) /
                        (d.Prm[13] * std::pow(10.0, d.Prm[14]) * std::pow(p, c - 1.0));
            EXPECT_NEAR(planted, p, p * 1e-9) << p << " " << h;
            previous = n;
        }
    }
}

TEST(PlantingDensityThrough, FindsThePlantingOfAStandOnItsCurve) {
    const DensityDiagramParameters d = SugiDiagram();
    CountingEventPump pump;
    // Independently computed: 18 steps, last midpoint 2961.7595..., rounded.
    EXPECT_EQ(PlantingDensityThrough(d, 3 * 2400.0, 2400.0, 17.5, pump), 2962.0);
    EXPECT_EQ(pump.count, 18);

    for (double p : {1500.0, 3000.0, 8000.0}) {
        const double n = NaturalThinningStems(d, p, 15.0);
        NullEventPump none;
        EXPECT_NEAR(PlantingDensityThrough(d, 3 * n, n, 15.0, none), p, 1.0) << p;
    }
}

TEST(PlantingDensityThrough, TooSmallABracketGivesTheBracketItself) {
    const DensityDiagramParameters d = SugiDiagram();
    // {bracket, result}: no step is made, and a whole number comes back
    // rounded halves to even rather than 0.
    const std::pair<double, double> cases[] = {{100.05, 100.0}, {100.0, 100.0}, {100.04, 100.0},
                                               {50.0, 50.0},    {99.5, 100.0},  {98.5, 98.0},
                                               {0.0, 0.0}};
    for (const auto& [bracket, expected] : cases) {
        CountingEventPump pump;
        EXPECT_EQ(PlantingDensityThrough(d, bracket, 2000.0, 17.5, pump), expected) << bracket;
        EXPECT_EQ(pump.count, 0) << bracket;
    }
}

TEST(PlantingDensityThrough, JustAboveTheLimitSearches) {
    CountingEventPump pump;
    const double p = PlantingDensityThrough(SugiDiagram(), 100.06, 2000.0, 17.5, pump);
    EXPECT_EQ(pump.count, 1);
    EXPECT_EQ(p, 100.0);
}

TEST(PlantingDensityThrough, HugeStandsEndInBoundedStepsNearTheirPlanting) {
    // Above about 4.5e14 two neighbouring doubles are more than the 0.05 of
    // the usual gap apart; such stands once kept the search going for ever.
    const DensityDiagramParameters d = SugiDiagram();
    for (double planting : {1e12, 4.6e14, 1e20, 1e30}) {
        const double n = NaturalThinningStems(d, planting, 17.5);
        test::StepLimitPump pump(2000);
        const double found = PlantingDensityThrough(d, 3 * n, n, 17.5, pump);
        EXPECT_LE(pump.count, 1100) << planting;
        EXPECT_NEAR(found / planting, 1.0, 1e-9) << planting;
    }
    // The widest finite bracket, for a stand of real size.
    test::StepLimitPump pump(2000);
    EXPECT_NEAR(PlantingDensityThrough(d, 1.7976931348623157e308, 2400.0, 17.5, pump), 2962.0, 1.0);
    EXPECT_LE(pump.count, 1100);
}

}  // namespace
}  // namespace mk
