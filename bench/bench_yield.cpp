// A 100-year yield run of each thinning method with its table file written
// (target: under 1 ms), and a three-class stand volume table (under 2 ms).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/graphics/null_canvas.h"
#include "core/host/messages.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/session/workspace.h"
#include "core/yield/stand_volume_run.h"
#include "core/yield/table_calc.h"

namespace fs = std::filesystem;

namespace {

class Silent final : public mk::Messages {
public:
    mk::MessageAnswer Show(const std::string&, const std::string&, mk::MessageIcon,
                           mk::MessageButtons) override {
        return mk::MessageAnswer::Ok;
    }
};

// The example files copied into a scratch folder, where the tables go.
std::unique_ptr<mk::Workspace> LoadExample(const fs::path& folder) {
    fs::create_directories(folder);
    const fs::path examples = fs::path(MORIKOYOMI_SOURCE_DIR) / "examples";
    for (const char* name : {"sugi_type1.prm", "sugi.PAR", "sugi.HNP"}) {
        fs::copy_file(examples / name, folder / name, fs::copy_options::overwrite_existing);
    }
    auto ws = std::make_unique<mk::Workspace>();
    Silent quiet;
    mk::ReadPrmFile((folder / "sugi_type1.prm").string(), ws->Diagram, quiet);
    mk::ReadParFile((folder / "sugi.PAR").string(), ws->HeightCurve, quiet);
    mk::ReadHnpFile((folder / "sugi.HNP").string(), ws->Hnp, quiet);
    ws->Run.PrmFileName = (folder / "sugi_type1.prm").string();
    ws->Run.ParFileName = (folder / "sugi.PAR").string();
    ws->HnpFileName = (folder / "sugi.HNP").string();
    ws->Run.SiteClass = 2;
    ws->Run.SiteCurveScale = ws->HeightCurve.CurveM;
    ws->Run.StemSettingMethod = 1;
    ws->Run.PlantingStemNumber = 3000;
    ws->Run.CurrentAge = 1;
    ws->Run.EndAge = 100;
    return ws;
}

void SetMethod(mk::RunSettings& run, int method) {
    run.ThinningMethod = method;
    run.ThinningFromAge = 14;
    run.ThinningToAge = 81;
    switch (method) {
        case 1:
        case 2:
        case 3: {
            const double keys[4][5] = {
                {}, {15, 22, 30, 45, 60}, {10, 13, 16, 19, 22}, {12, 16, 20, 24, 28}};
            run.ThinningCount = 5;
            for (int i = 1; i <= 5; ++i) {
                run.ThinningKey[i] = keys[method][i - 1];
                run.ThinningRate[i] = 0.25;
            }
            break;
        }
        case 4:
            run.RyTarget = 0.75;
            run.BoundThinningRate = 0.2;
            break;
        case 5:
            run.RyUpper = 0.8;
            run.RyLower = 0.65;
            break;
        default:
            run.SlendernessUpper = 0.85;
            run.SlendernessLower = 0.75;
            break;
    }
}

void BM_YieldRun(benchmark::State& state) {
    const int method = static_cast<int>(state.range(0));
    const fs::path folder =
        fs::temp_directory_path() / ("mk_bench_yield_" + std::to_string(method));
    auto ws = LoadExample(folder);
    SetMethod(ws->Run, method);
    mk::NullCanvas canvas;
    Silent messages;
    mk::NullEventPump pump;
    for (auto _ : state) {
        mk::PrepareRunSettings(*ws);
        const mk::TableCalcOutcome outcome =
            mk::TABLECALC(*ws, mk::kYieldTableMode, canvas, mk::ProgressText{}, messages, pump);
        benchmark::DoNotOptimize(outcome.writtenPath.data());
        fs::remove(outcome.writtenPath);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_YieldRun)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

void BM_StandVolumeTable(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "mk_bench_volume";
    auto ws = LoadExample(folder);
    mk::NullCanvas canvases[3];
    mk::Canvas* const pictures[3] = {&canvases[0], &canvases[1], &canvases[2]};
    const mk::ProgressText labels[3];
    Silent messages;
    mk::NullEventPump pump;
    for (auto _ : state) {
        const mk::StandVolumeOutcome outcome =
            mk::RunStandVolumeTable(*ws, pictures, labels, messages, pump);
        benchmark::DoNotOptimize(outcome.writtenPath.data());
        fs::remove(outcome.writtenPath);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_StandVolumeTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
