// Speed of the base data engine: a site-curve fit of 200 plots and the
// reading of a 500-record survey file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/basedata/curve_fitting.h"
#include "core/basedata/survey_data.h"
#include "core/host/messages.h"

namespace mk {
namespace {

class SilentMessages final : public Messages {
public:
    MessageAnswer Show(const std::string&, const std::string&, MessageIcon,
                       MessageButtons) override {
        return MessageAnswer::Ok;
    }
};

// Plots scattered around a Mitscherlich curve as a region's survey would be.
SurveyDataSet SurveyPlots(int count) {
    SurveyDataSet set;
    for (int i = 1; i <= count; ++i) {
        SurveyRecord r;
        r.number = i;
        r.plot = 100 + i;
        r.standAge = 3 + (i * 7) % 78;
        const double site = 1 + 0.12 * (((i * 13) % 17) - 8) / 8.0;
        r.dominantHeight =
            std::round(10 * 30 * (1 - 1.04 * std::exp(-0.026 * r.standAge)) * site) / 10;
        r.stemsPerHa =
            3100 - static_cast<int>(2400 * std::exp(-8 * std::exp(-0.15 * r.dominantHeight)));
        r.stemVolume = 20 * r.dominantHeight;
        r.basalArea = 2 * r.dominantHeight;
        r.meanDiameter = r.dominantHeight;
        r.meanHeight = 0.88 * r.dominantHeight;
        r.confirmed = true;
        set.records.push_back(r);
    }
    set.count = count;
    return set;
}

void BM_SiteCurveFit200(benchmark::State& state) {
    const FitData data = BuildFitData(CurveMode::SiteCurve, SurveyPlots(200));
    CurveParameters start{};
    if (!EstimateInitialValues(CurveMode::SiteCurve, kMitscherlich, data, start)) {
        state.SkipWithError("no starting values");
        return;
    }
    NullEventPump pump;
    for (auto _ : state) {
        FitControl control;
        control.pump = &pump;
        control.onEvaluate = [](const CurveParameters& p) { benchmark::DoNotOptimize(p); };
        FitResult r = FitCurve(CurveMode::SiteCurve, kMitscherlich, data, start, control);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_SiteCurveFit200)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_SiteCurveSelection200(benchmark::State& state) {
    const FitData data = BuildFitData(CurveMode::SiteCurve, SurveyPlots(200));
    for (auto _ : state) {
        FitControl control;
        SelectionResult r = SelectBestFunction(data, nullptr, control);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_SiteCurveSelection200)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_ReadSurvey500(benchmark::State& state) {
    char path[] = "/tmp/morikoyomi-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        state.SkipWithError("no temporary file");
        return;
    }
    close(fd);
    SilentMessages messages;
    SurveyDataSet plots = SurveyPlots(500);
    if (!WriteSurveyFile(path, plots, messages)) {
        state.SkipWithError("cannot write the survey file");
        return;
    }
    for (auto _ : state) {
        SurveyDataSet set;
        bool ok = ReadSurveyFile(path, set, messages);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(set.records.data());
    }
    std::remove(path);
}
BENCHMARK(BM_ReadSurvey500)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace mk

BENCHMARK_MAIN();
