#include "core/model/density_diagram.h"

#include <gtest/gtest.h>

#include "model_test_support.h"

namespace mk {
namespace {

using test::SugiDiagram;

TEST(DiagramCoordinates, DecadesLandOnTheGridOfThePicture) {
    EXPECT_DOUBLE_EQ(DiagramX(100.0), 120.0);
    EXPECT_DOUBLE_EQ(DiagramX(10000.0), 480.0);
    EXPECT_DOUBLE_EQ(DiagramY(10.0), 410.0);
    EXPECT_NEAR(DiagramY(1000.0), 50.0, 1e-9);
    // More stems to the right, more volume upward.
    EXPECT_LT(DiagramX(1000.0), DiagramX(2000.0));
    EXPECT_GT(DiagramY(100.0), DiagramY(200.0));
}

// Reference values computed independently (IEEE doubles, the equations in
// their written order). Tables are compared byte for byte, so the values
// must agree to the last bit, not merely closely.
struct StandCase {
    double H, N, V, HF, G, Dq, D, NRf, Ry1, Ry2, x, y;
};

const StandCase kStands[] = {
    {17.5, 2000.0, 424.41611999493625, 7.941311896062464, 53.44408147542653, 18.44548392473768,
     18.233099004667913, 3628.6637972675235, 0.7697412201440254, 0.7706080424406799,
     354.1853992195165, 116.99746326800607},
    {9.3, 2750.0, 128.0858827465169, 4.677848057199561, 27.38136877904426, 11.259431757990466,
     11.13178234571048, 8792.732725584889, 0.5734730582859217, 0.5735979825553401,
     379.07988488944727, 210.6497721726281},
};

TEST(StandEquations, AgreeBitForBitWithAnIndependentComputation) {
    const DensityDiagramParameters type1 = SugiDiagram(1.0);
    const DensityDiagramParameters type2 = SugiDiagram(2.0);
    for (const StandCase& c : kStands) {
        SCOPED_TRACE(c.H);
        EXPECT_EQ(StandVolume(type1, c.H, c.N), c.V);
        EXPECT_EQ(FormHeight(type1, c.H, c.N), c.HF);
        EXPECT_EQ(BasalArea(type1, c.H, c.N), c.G);
        EXPECT_EQ(QuadraticMeanDbh(type1, c.H, c.N), c.Dq);
        EXPECT_EQ(MeanDbh(type1, c.H, c.N), c.D);
        EXPECT_EQ(FullDensityStems(type1, c.H), c.NRf);
        EXPECT_EQ(YieldIndex(type1, c.H, c.N), c.Ry1);
        EXPECT_EQ(YieldIndex(type2, c.H, c.N), c.Ry2);
        EXPECT_EQ(DiagramX(c.N), c.x);
        EXPECT_EQ(DiagramY(StandVolume(type1, c.H, c.N)), c.y);
    }
}

TEST(StandEquations, InverseVolumeGivesBackTheStemNumber) {
    const DensityDiagramParameters d = SugiDiagram();
    EXPECT_EQ(StemsForVolume(d, 17.5, 400.0), 1787.337139583966);
    for (double n : {500.0, 1500.0, 4000.0}) {
        EXPECT_NEAR(StemsForVolume(d, 17.5, StandVolume(d, 17.5, n)), n, n * 1e-12);
    }
}

TEST(YieldIndex, IsOneOnTheFullDensityLineForTypeOne) {
    const DensityDiagramParameters d = SugiDiagram(1.0);
    for (double h : {3.0, 12.0, 17.5, 30.0}) {
        EXPECT_EQ(YieldIndex(d, h, FullDensityStems(d, h)), 1.0) << h;
    }
}

TEST(YieldIndex, TypeTwoUsesTheFullDensityVolumeLine) {
    const DensityDiagramParameters d = SugiDiagram(2.0);
    const double nrf = FullDensityStems(d, 17.5);
    const std::optional<double> ry = YieldIndex(d, 17.5, nrf);
    ASSERT_TRUE(ry.has_value());
    EXPECT_EQ(*ry, 1.0011261217068412);
    EXPECT_NE(*ry, 1.0);
}

TEST(YieldIndex, OtherTypesGiveNoValue) {
    for (double type : {0.0, 3.0, 1.5, -1.0, 1.0000000001}) {
        EXPECT_FALSE(YieldIndex(SugiDiagram(type), 17.5, 2000.0).has_value()) << type;
    }
    // The caller's value survives: what "no value" is for.
    double kept = 0.42;
    if (auto ry = YieldIndex(DensityDiagramParameters{}, 17.5, 2000.0)) kept = *ry;
    EXPECT_EQ(kept, 0.42);
}

TEST(DensityDiagramParameters, ClearingForgetsEverything) {
    DensityDiagramParameters d = SugiDiagram(2.0);
    ClearDensityDiagram(d);
    EXPECT_EQ(d, DensityDiagramParameters{});
    EXPECT_FALSE(d.DensityDiagramLoaded);
    for (double v : d.Prm) EXPECT_EQ(v, 0.0);
}

}  // namespace
}  // namespace mk
