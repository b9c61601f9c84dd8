// The yield wizard's live path: the recompute-and-draw of a 200-year run
// after each change of a value, on the picture the page shows (target:
// under 5 ms, so that typing never waits), for a schedule and for each of
// the bounds methods, whose shaded bounds are drawn as well.

#include <benchmark/benchmark.h>

#include <memory>

#include "core/graphics/density_diagram_frame.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/yield/stand_preview.h"
#include "core/yield/yield_state.h"
#include "render/scalable_canvas.h"

namespace {

std::unique_ptr<mk::YieldState> Example200Years(int method) {
    const std::string examples = std::string(MORIKOYOMI_SOURCE_DIR) + "/examples/";
    auto ws = std::make_unique<mk::YieldState>();
    mk::RecordingMessages quiet;
    mk::ReadPrmFile(examples + "sugi_type1.prm", ws->Diagram, quiet);
    mk::ReadParFile(examples + "sugi.PAR", ws->HeightCurve, quiet);
    mk::RunSettings& run = ws->Run;
    run.SiteClass = 2;
    run.SiteCurveScale = ws->HeightCurve.CurveM;
    run.StemSettingMethod = 1;
    run.PlantingStemNumber = 3000;
    run.CurrentAge = 1;
    run.EndAge = 200;
    run.ThinningMethod = method;
    run.ThinningFromAge = 14;
    run.ThinningToAge = 151;
    run.RyTarget = run.RyUpper = 0.8;
    run.RyLower = 0.65;
    run.BoundThinningRate = 0.25;
    run.SlendernessUpper = 0.85;
    run.SlendernessLower = 0.7;
    if (method == 1) {
        run.ThinningCount = 6;
        const double ages[] = {0, 15, 25, 35, 50, 70, 100};
        for (int i = 1; i <= 6; ++i) {
            run.ThinningKey[i] = ages[i];
            run.ThinningRate[i] = 0.25;
        }
    }
    return ws;
}

// As the page's preview does it after a change: the picture starts from a
// copy of the diagram drawn once, and the bounds and the path are drawn
// over it.
void BM_PreviewRecomputeAndDraw(benchmark::State& state) {
    const auto ws = Example200Years(static_cast<int>(state.range(0)));
    mk::EnsureGuiApplication();
    mk::ScalableCanvas diagram;
    mk::DrawDensityDiagram(diagram, ws->Diagram);
    mk::ScalableCanvas picture;
    for (auto _ : state) {
        picture = diagram;
        const mk::PreviewOutcome outcome = mk::DrawStandPreviewOver(*ws, picture);
        benchmark::DoNotOptimize(outcome.pathDrawn);
    }
}
BENCHMARK(BM_PreviewRecomputeAndDraw)
    ->Arg(1)
    ->Arg(4)
    ->Arg(5)
    ->Arg(6)
    ->Unit(benchmark::kMillisecond);

// The parts: the diagram (drawn once per page), the bounds, and the run with
// its path.
void BM_PreviewDiagramOnly(benchmark::State& state) {
    const auto ws = Example200Years(1);
    mk::EnsureGuiApplication();
    mk::ScalableCanvas picture;
    for (auto _ : state) mk::DrawDensityDiagram(picture, ws->Diagram);
}
BENCHMARK(BM_PreviewDiagramOnly)->Unit(benchmark::kMillisecond);

void BM_PreviewBoundsOnly(benchmark::State& state) {
    const auto ws = Example200Years(static_cast<int>(state.range(0)));
    mk::EnsureGuiApplication();
    mk::ScalableCanvas picture;
    for (auto _ : state) mk::DrawThinningBounds(picture, ws->Diagram, ws->Run);
}
BENCHMARK(BM_PreviewBoundsOnly)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_PreviewPathOnly(benchmark::State& state) {
    const auto ws = Example200Years(static_cast<int>(state.range(0)));
    mk::EnsureGuiApplication();
    mk::ScalableCanvas picture;
    for (auto _ : state) mk::DrawRunPath(*ws, picture);
}
BENCHMARK(BM_PreviewPathOnly)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
