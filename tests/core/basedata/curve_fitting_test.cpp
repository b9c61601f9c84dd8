#include "core/basedata/curve_fitting.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/host/recording_messages.h"
#include "support/test_files.h"

namespace mk {
namespace {

// Forty plots scattered around a Mitscherlich curve, and forty stem numbers
// around a turned-down Gompertz curve. The expected values below come from
// a separate transcription of the search into another language, run on the
// same doubles: the search must repeat them to the last bit.
const std::vector<double> kAges = {3,  10, 17, 24, 31, 38, 45, 52, 59, 66, 73, 80, 9,  16,
                                   23, 30, 37, 44, 51, 58, 65, 72, 79, 8,  15, 22, 29, 36,
                                   43, 50, 57, 64, 71, 78, 7,  14, 21, 28, 35, 42};
const std::vector<double> kHeights = {1.0,  6.2,  10.0, 12.9, 14.9, 19.5, 20.7, 21.5, 21.9, 26.1,
                                      26.1, 25.8, 5.0,  10.2, 13.4, 15.7, 17.4, 18.5, 22.8, 23.3,
                                      23.5, 23.4, 27.6, 4.8,  8.7,  11.6, 16.4, 18.3, 19.6, 20.4,
                                      24.7, 25.1, 25.1, 24.9, 3.7,  8.7,  12.0, 14.5, 16.2, 20.7};
const std::vector<int> kStems = {3048, 3025, 3005, 2982, 2955, 2926, 2893, 2831, 2788, 2744,
                                 2697, 2650, 2601, 2552, 2434, 2379, 2325, 2272, 2221, 2173,
                                 2016, 1966, 1919, 1876, 1836, 1800, 1768, 1582, 1551, 1525,
                                 1502, 1483, 1468, 1267, 1254, 1244, 1238, 1235, 1236, 1239};

SurveyDataSet SiteSet() {
    SurveyDataSet set;
    for (size_t i = 0; i < kAges.size(); ++i) {
        SurveyRecord r;
        r.number = static_cast<int>(i) + 1;
        r.standAge = static_cast<int>(kAges[i]);
        r.dominantHeight = kHeights[i];
        r.stemsPerHa = 1000;
        set.records.push_back(r);
    }
    set.count = static_cast<int>(set.records.size());
    return set;
}

SurveyDataSet StemSet() {
    SurveyDataSet set;
    for (size_t i = 0; i < kStems.size(); ++i) {
        SurveyRecord r;
        r.number = static_cast<int>(i) + 1;
        r.standAge = 20;
        r.dominantHeight = 5 + 0.5 * static_cast<double>(i);
        r.stemsPerHa = kStems[i];
        set.records.push_back(r);
    }
    set.count = static_cast<int>(set.records.size());
    return set;
}

struct Expected {
    int code;
    CurveParameters start;
    CurveParameters fitted;
    double bestSS;
    long long evaluations;
};

TEST(CurveFitting, AutomaticStartsAndSearchesRepeatTheReferenceBitForBit) {
    const FitData data = BuildFitData(CurveMode::SiteCurve, SiteSet());
    const Expected cases[] = {
        {1,
         {0x1.7b47ae147adefp+5, 0x1.ef49e446cab4fp-1, 0x1.520e6d34ad391p-7},
         {0x1.e643ef05af761p+4, 0x1.0a00da4980fa4p+0, 0x1.9ed41a8609174p-6},
         0x1.004674fac55eap+5,
         98},
        {2,
         {0x1.d154f1cff5b15p+4, 0x1.26d4886f5b965p-3, -0x1.046fb13966cdep-4},
         {0x1.99f2f1897db40p+4, 0x1.98924ea56893ep+2, 0x1.3072b11586b62p-4},
         0x1.d17c9e6c4a434p+5,
         263},
        {3,
         {0x1.051fe0bd65e58p+5, 0x1.6dd562a7c3c53p+1, 0x1.04b69fca6e042p-5},
         {0x1.ae37efaa07a28p+4, 0x1.39dceb01d88f5p+1, 0x1.97ab3d933d959p-5},
         0x1.55b1e3ba777e9p+5,
         69},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.code);
        CurveParameters start{};
        ASSERT_TRUE(EstimateInitialValues(CurveMode::SiteCurve, e.code, data, start));
        for (int j = 0; j < 3; ++j) EXPECT_EQ(start[j], e.start[j]) << j;
        long long shown = 0;
        FitControl control;
        control.onEvaluate = [&shown](const CurveParameters&) { ++shown; };
        FitResult result = FitCurve(CurveMode::SiteCurve, e.code, data, start, control);
        ASSERT_EQ(result.status, FitStatus::Converged);
        for (int j = 0; j < 3; ++j) EXPECT_EQ(result.para[j], e.fitted[j]) << j;
        EXPECT_EQ(result.bestSS, e.bestSS);
        EXPECT_EQ(result.evaluations, e.evaluations);
        EXPECT_EQ(shown, e.evaluations + 1);  // and the final parameters once more
    }
}

TEST(CurveFitting, GivenStartsRepeatTheReference) {
    const FitData data = BuildFitData(CurveMode::SiteCurve, SiteSet());
    FitControl control;
    FitResult r = FitCurve(CurveMode::SiteCurve, 1, data, {28.0, 1.0, 0.03, 0}, control);
    ASSERT_EQ(r.status, FitStatus::Converged);
    EXPECT_EQ(r.para[0], 0x1.e222304faf9e0p+4);
    EXPECT_EQ(r.para[1], 0x1.09a681107e2bbp+0);
    EXPECT_EQ(r.para[2], 0x1.a4918d15a93f6p-6);
    EXPECT_EQ(r.bestSS, 0x1.00740432f9c48p+5);
    EXPECT_EQ(r.evaluations, 56);
    r = FitCurve(CurveMode::SiteCurve, 3, data, {27.0, 2.5, 0.05, 0}, control);
    EXPECT_EQ(r.para[0], 0x1.ae70adc1c5fccp+4);
    EXPECT_EQ(r.bestSS, 0x1.55fa9e0b10c43p+5);
    EXPECT_EQ(r.evaluations, 34);
}

TEST(CurveFitting, StemCurveStartsAndSearchRepeatTheReference) {
    const FitData data = BuildFitData(CurveMode::HeightStemCurve, StemSet());
    EXPECT_EQ(data.Ymax, 3048);
    EXPECT_EQ(data.Ymin, 1235);
    CurveParameters start{};
    ASSERT_TRUE(EstimateInitialValues(CurveMode::HeightStemCurve, 0, data, start));
    const CurveParameters expectedStart = {0x1.ca3fffffffffep+10, 0x1.34403b7779302p+4,
                                           0x1.8a430eb55fa22p-3, 0x1.7e40000000000p+11};
    for (int j = 0; j < 4; ++j) EXPECT_EQ(start[j], expectedStart[j]) << j;
    FitControl control;
    FitResult r = FitCurve(CurveMode::HeightStemCurve, 0, data, start, control);
    ASSERT_EQ(r.status, FitStatus::Converged);
    const CurveParameters fitted = {0x1.ede5d446d5198p+10, 0x1.22ffc345468b1p+4,
                                    0x1.a2b4a15d081e2p-3, 0x1.6da7497bc819ap+11};
    for (int j = 0; j < 4; ++j) EXPECT_EQ(r.para[j], fitted[j]) << j;
    EXPECT_EQ(r.bestSS, 0x1.c45bb4c5d97efp+16);
    EXPECT_EQ(r.evaluations, 36);

    r = FitCurve(CurveMode::HeightStemCurve, 0, data, {2500.0, 7.5, 0.14, 3100.0}, control);
    EXPECT_EQ(r.para[0], 0x1.2db2e290ce000p+11);
    EXPECT_EQ(r.para[3], 0x1.82d41e0818000p+11);
    EXPECT_EQ(r.bestSS, 0x1.16e3b2b70e450p+16);
    EXPECT_EQ(r.evaluations, 31);
}

TEST(CurveFitting, ExactMitscherlichDataConvergeThroughTheResidualTest) {
    const CurveParameters truth = {25.0, 1.0, 0.04, 0.0};
    FitData data;
    for (int age = 5; age <= 80; age += 5) {
        data.X.push_back(age);
        data.Y.push_back(CurveValue(CurveMode::SiteCurve, kMitscherlich, truth, age));
    }
    data.n = static_cast<int>(data.X.size());
    double band = -1;
    ASSERT_TRUE(BandCoefficient(CurveMode::SiteCurve, kMitscherlich, data, truth, band));
    EXPECT_EQ(band, 0.0);

    // Started at the curve itself, the unchanged start is the best vertex.
    FitControl control;
    FitResult exact = FitCurve(CurveMode::SiteCurve, kMitscherlich, data, truth, control);
    ASSERT_EQ(exact.status, FitStatus::Converged);
    EXPECT_EQ(exact.bestSS, 0.0);
    EXPECT_EQ(exact.bandCoefficient, 0.0);
    EXPECT_EQ(exact.para, truth);
    EXPECT_EQ(exact.evaluations, 4);

    CurveParameters start{};
    ASSERT_TRUE(EstimateInitialValues(CurveMode::SiteCurve, kMitscherlich, data, start));
    FitResult r = FitCurve(CurveMode::SiteCurve, kMitscherlich, data, start, control);
    ASSERT_EQ(r.status, FitStatus::Converged);
    EXPECT_LT(r.bestSS, 0.1);
    EXPECT_LT(r.bandCoefficient, 0.01);
    EXPECT_NEAR(r.para[0], 25.0, 0.5);

    // With the same data no other function reaches a smaller residual sum.
    SelectionResult s = SelectBestFunction(data, nullptr, control);
    ASSERT_EQ(s.status, FitStatus::Converged);
    EXPECT_EQ(s.best.code, kMitscherlich);
}

TEST(CurveFitting, InitialSimplexScalesOneParameterPerVertex) {
    const FitData data = BuildFitData(CurveMode::HeightStemCurve, StemSet());
    std::vector<CurveParameters> points;
    FitControl control;
    control.onEvaluate = [&points](const CurveParameters& p) { points.push_back(p); };
    const CurveParameters start = {2500.0, 7.5, 0.14, 3100.0};
    FitCurve(CurveMode::HeightStemCurve, 0, data, start, control);
    ASSERT_GE(points.size(), 5u);
    const double factors[4] = {1.1, 0.9, 1.1, 0.9};
    for (int vertex = 0; vertex < 4; ++vertex)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(points[vertex][j], j == vertex ? start[j] * factors[j] : start[j]);
    EXPECT_EQ(points[4], start);
}

// A pump that raises the stop request at its nth call.
class StoppingPump final : public EventPump {
public:
    StoppingPump(FitControl& control, int stopAt) : control_(control), stopAt_(stopAt) {}
    void Pump() override {
        if (++calls == stopAt_) control_.stopRequested = true;
    }
    int calls = 0;

private:
    FitControl& control_;
    int stopAt_;
};

TEST(CurveFitting, StopIsTakenAtTheNextCheckpointWithOneBeep) {
    const FitData data = BuildFitData(CurveMode::SiteCurve, SiteSet());
    // Checkpoints: the start of an iteration, then each of the six comparisons.
    for (int stopAt : {1, 2, 7, 8, 30}) {
        SCOPED_TRACE(stopAt);
        FitControl control;
        StoppingPump pump(control, stopAt);
        control.pump = &pump;
        int beeps = 0;
        bool finished = false;
        control.beep = [&beeps] { ++beeps; };
        control.onFinished = [&finished](double) { finished = true; };
        FitResult r = FitCurve(CurveMode::SiteCurve, 1, data, {28.0, 1.0, 0.03, 0}, control);
        EXPECT_EQ(r.status, FitStatus::Stopped);
        EXPECT_EQ(pump.calls, stopAt);
        EXPECT_EQ(beeps, 1);
        EXPECT_FALSE(finished);
        if (stopAt <= 7) {
            EXPECT_EQ(r.evaluations, 4);  // still in the first ordering
        } else {
            EXPECT_GT(r.evaluations, 4);
        }
    }
}

TEST(CurveFitting, EachIterationPumpsOncePerCheckpoint) {
    const FitData data = BuildFitData(CurveMode::SiteCurve, SiteSet());
    FitControl control;
    CountingEventPump pump;
    control.pump = &pump;
    FitResult r = FitCurve(CurveMode::SiteCurve, 1, data, {28.0, 1.0, 0.03, 0}, control);
    ASSERT_EQ(r.status, FitStatus::Converged);
    EXPECT_EQ(pump.count % 7, 0);
    EXPECT_GT(pump.count, 0);
}

TEST(CurveFitting, SelectionKeepsTheEarlierFunctionOnATie) {
    SelectionState selection;
    FitResult first;
    first.code = 1;
    first.bestSS = 5.0;
    FitResult tie = first;
    tie.code = 2;
    FitResult better = first;
    better.code = 3;
    better.bestSS = 4.999;
    KeepBetterFit(selection, first);
    KeepBetterFit(selection, tie);
    EXPECT_EQ(selection.best.code, 1);
    KeepBetterFit(selection, better);
    EXPECT_EQ(selection.best.code, 3);
}

TEST(CurveFitting, SelectionOfTheSampleDataKeepsTheSmallestResidual) {
    const FitData data = BuildFitData(CurveMode::SiteCurve, SiteSet());
    FitControl control;
    std::vector<int> fitted;
    SelectionResult s = SelectBestFunction(
        data, nullptr, control, [&fitted](const FitResult& r) { fitted.push_back(r.code); });
    ASSERT_EQ(s.status, FitStatus::Converged);
    EXPECT_EQ(fitted, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(s.best.code, 1);
    EXPECT_EQ(s.best.bestSS, 0x1.004674fac55eap+5);
}

TEST(CurveFitting, ExampleSurveyFileRecoversItsCurves) {
    SurveyDataSet set;
    RecordingMessages messages;
    ASSERT_TRUE(ReadSurveyFile(test::SourcePath("examples/sugi_survey.dat"), set, messages));
    FitControl control;
    const FitData site = BuildFitData(CurveMode::SiteCurve, set);
    SelectionResult s = SelectBestFunction(site, nullptr, control);
    ASSERT_EQ(s.status, FitStatus::Converged);
    EXPECT_EQ(s.best.code, kMitscherlich);
    EXPECT_NEAR(s.best.para[0], 29.74, 0.3);
    EXPECT_NEAR(s.best.para[1], 1.0387, 0.01);
    EXPECT_NEAR(s.best.para[2], 0.02639, 0.0003);
    EXPECT_NEAR(s.best.bandCoefficient, 0.1363, 0.002);
    EXPECT_NEAR(s.best.bestSS, 309.26, 0.5);

    const FitData stems = BuildFitData(CurveMode::HeightStemCurve, set);
    CurveParameters start{};
    ASSERT_TRUE(EstimateInitialValues(CurveMode::HeightStemCurve, 0, stems, start));
    FitResult r = FitCurve(CurveMode::HeightStemCurve, 0, stems, start, control);
    ASSERT_EQ(r.status, FitStatus::Converged);
    // The stem curve converges loosely (threshold 10000); compare the curve.
    for (double h : {8.0, 12.0, 16.0, 20.0, 24.0}) {
        const CurveParameters reference = {2494.165, 7.488457, 0.1387175, 3086.880};
        const double expected = CurveValue(CurveMode::HeightStemCurve, 0, reference, h);
        EXPECT_NEAR(CurveValue(CurveMode::HeightStemCurve, 0, r.para, h), expected, 0.03 * expected)
            << h;
    }
}

TEST(CurveFitting, PairsWithAZeroAreNotUsed) {
    SurveyDataSet set = SiteSet();
    set.records[0].standAge = 0;
    set.records[1].dominantHeight = 0;
    set.records[2].stemsPerHa = 0;
    FitData site = BuildFitData(CurveMode::SiteCurve, set);
    EXPECT_EQ(site.n, 38);
    EXPECT_EQ(site.X[0], kAges[2]);
    EXPECT_EQ(site.Ymin, 9999);  // gathered for the stem curve only
    FitData stems = BuildFitData(CurveMode::HeightStemCurve, set);
    EXPECT_EQ(stems.n, 38);
    EXPECT_EQ(stems.X[1], kHeights[3]);
}

TEST(CurveFitting, StartingValuesThatCannotBeEstimated) {
    FitData same;
    same.X = {20, 20, 20};
    same.Y = {10, 12, 14};
    same.n = 3;
    CurveParameters p = {1, 2, 3, 4};
    EXPECT_FALSE(EstimateInitialValues(CurveMode::SiteCurve, kMitscherlich, same, p));
    EXPECT_EQ(p, (CurveParameters{1, 2, 3, 4}));  // untouched
    FitData none;
    EXPECT_FALSE(EstimateInitialValues(CurveMode::SiteCurve, kGompertz, none, p));
}

TEST(CurveFitting, NoMorePairsThanParametersCannotBeFitted) {
    FitData data;
    data.X = {10, 20, 30, 40};
    data.Y = {5, 9, 12, 14};
    data.n = 4;
    FitControl control;
    long long evaluated = 0;
    control.onEvaluate = [&evaluated](const CurveParameters&) { ++evaluated; };
    EXPECT_EQ(FitCurve(CurveMode::HeightStemCurve, 0, data, {1, 2, 3, 4}, control).status,
              FitStatus::CannotFit);
    data.n = 3;
    data.X.pop_back();
    data.Y.pop_back();
    EXPECT_EQ(FitCurve(CurveMode::SiteCurve, 1, data, {20, 1, 0.05, 0}, control).status,
              FitStatus::CannotFit);
    EXPECT_EQ(evaluated, 0);
}

TEST(CurveFitting, NegativeThreePointEstimateIsReplacedByTheLargestValue) {
    FitData data;
    data.X = {10, 20, 30, 40, 50};
    data.Y = {1, 2, 3, 9, 10};  // (vLo vHi - v²) / (vLo + vHi - 2v) = -4
    data.n = 5;
    CurveParameters p{};
    ASSERT_TRUE(EstimateInitialValues(CurveMode::SiteCurve, kMitscherlich, data, p));
    EXPECT_EQ(p[0], 10.0);
}

TEST(CurveFitting, ManualStartsNeedANonZeroProduct) {
    EXPECT_TRUE(CheckManualInitialValues(CurveMode::SiteCurve, {1, 2, 3, 0}));
    EXPECT_FALSE(CheckManualInitialValues(CurveMode::SiteCurve, {1, 0, 3, 9}));
    EXPECT_FALSE(CheckManualInitialValues(CurveMode::HeightStemCurve, {1, 2, 3, 0}));
    EXPECT_TRUE(CheckManualInitialValues(CurveMode::HeightStemCurve, {1, 2, 3, 4}));
}

TEST(CurveFitting, BandNeedsMorePairsThanParametersAndPositiveRatios) {
    FitData data;
    data.X = {10, 20, 30};
    data.Y = {5, 9, 12};
    data.n = 3;
    double band = 0;
    EXPECT_FALSE(BandCoefficient(CurveMode::SiteCurve, 1, data, {20, 1, 0.05, 0}, band));
    data.X.push_back(40);
    data.Y.push_back(14);
    data.n = 4;
    EXPECT_TRUE(BandCoefficient(CurveMode::SiteCurve, 1, data, {20, 1, 0.05, 0}, band));
    EXPECT_FALSE(BandCoefficient(CurveMode::SiteCurve, 1, data, {-20, 1, 0.05, 0}, band));
}

TEST(CurveFitting, NamesAndFormulas) {
    EXPECT_EQ(FunctionName(CurveMode::SiteCurve, 1), "ＭITSCHERLICH式");
    EXPECT_EQ(FunctionName(CurveMode::HeightStemCurve, 1), "ＧOMPERTZ式変形");
    EXPECT_EQ(FunctionFileName(CurveMode::SiteCurve, 2), "logistic式       ");
    EXPECT_EQ(FunctionFormula(CurveMode::SiteCurve, 3), "Y=PARA(1)*EXP(-PARA(2)*EXP(-PARA(3)*X)) ");
    EXPECT_EQ(CurveWindowBaseCaption(CurveMode::HeightStemCurve), "上層樹高－本数曲線式の決定");
}

// A converged search may still have settled on a curve that is no growth
// curve; the windows ask before such a curve is written.
TEST(CurveFitting, ImplausibleCurvesAreNamedWithTheirReason) {
    FitData rising;
    for (int age = 10; age <= 60; age += 5) {
        rising.X.push_back(age);
        rising.Y.push_back(30.0 * (1.0 - 0.9 * std::exp(-0.04 * age)) +
                           (age % 10 == 0 ? 0.3 : -0.3));
    }
    rising.n = static_cast<int>(rising.X.size());
    rising.Xmin = 10;
    rising.Xmax = 60;
    auto fit = [](int code, CurveParameters para, double ss) {
        FitResult r;
        r.status = FitStatus::Converged;
        r.code = code;
        r.para = para;
        r.bestSS = ss;
        return r;
    };
    struct Case {
        const char* name;
        CurveMode mode;
        FitResult fit;
        std::string reason;
    };
    const std::string flat = "林齢とともに上層樹高が高くならない曲線です。";
    const Case cases[] = {
        {"a good Mitscherlich curve", CurveMode::SiteCurve,
         fit(kMitscherlich, {30, 0.9, 0.04}, 1.0), ""},
        // Logistic from 100, 100, 100: exp(-100 x) vanishes, a flat line.
        {"a flat logistic line", CurveMode::SiteCurve, fit(kLogistic, {17.5, 100, 100}, 1.0), flat},
        {"a falling curve", CurveMode::SiteCurve, fit(kMitscherlich, {30, -0.9, 0.04}, 1.0), flat},
        {"no better than the mean", CurveMode::SiteCurve, fit(kMitscherlich, {30, 0.9, 0.04}, 1e5),
         "残差平方和がデータの平均値との差の平方和（"},
        {"stems that rise with the height", CurveMode::HeightStemCurve,
         fit(kMitscherlich, {-2000, 1, 0.1, 1000}, 1.0),
         "上層樹高とともに立木本数が少なくならない曲線です。"},
    };
    for (const Case& c : cases) {
        const std::string reason = ImplausibleFitReason(c.mode, rising, c.fit);
        if (c.reason.empty()) {
            EXPECT_EQ(reason, "") << c.name;
        } else {
            EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << c.name << ": " << reason;
        }
    }
}

}  // namespace
}  // namespace mk
