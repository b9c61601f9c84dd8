// The five plans of a 100-year planning request, the plan table written,
// in each of the three modes. Target: under 5 ms per request.

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "core/graphics/canvas.h"
#include "core/host/messages.h"
#include "core/host/recording_messages.h"
#include "core/model/natural_thinning.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/planning/plan_simulation.h"
#include "core/session/workspace.h"

namespace fs = std::filesystem;

namespace {

// A picture that keeps nothing, so that only the plans are measured.
class NullCanvas final : public mk::Canvas {
public:
    void Clear() override {}
    void Point(double x, double y, mk::Color) override { x_ = x, y_ = y; }
    void Line(double, double, double x2, double y2, mk::Color) override { x_ = x2, y_ = y2; }
    void LineTo(double x, double y, mk::Color) override { x_ = x, y_ = y; }
    void Box(double, double, double, double, mk::Color, bool) override {}
    void Circle(double x, double y, double, mk::Color) override { x_ = x, y_ = y; }
    void Print(const std::string&) override {}
    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    mk::Color InkColor() const override { return 0; }
    void SetInkColor(mk::Color) override {}
    mk::Color FillColor() const override { return 0; }
    void SetFillColor(mk::Color) override {}
    mk::FillStyle GetFillStyle() const override { return mk::FillStyle::Transparent; }
    void SetFillStyle(mk::FillStyle) override {}
    double TextHeight(const std::string&) const override { return 12; }
    double TextWidth(const std::string& text) const override { return 6.0 * text.size(); }

private:
    double x_ = 0, y_ = 0;
};

enum Mode { kForward, kPolicy, kBackward };

std::unique_ptr<mk::Workspace> PlanWorkspace(const fs::path& dir, Mode mode) {
    const fs::path examples = fs::path(MORIKOYOMI_SOURCE_DIR) / "examples";
    fs::create_directories(dir);
    for (const char* name : {"sugi_type1.prm", "sugi.PAR"}) {
        fs::copy_file(examples / name, dir / name, fs::copy_options::overwrite_existing);
    }
    auto ws = std::make_unique<mk::Workspace>();
    mk::RecordingMessages messages;
    mk::ReadPrmFile((dir / "sugi_type1.prm").string(), ws->Diagram, messages);
    mk::ReadParFile((dir / "sugi.PAR").string(), ws->HeightCurve, messages);
    ws->Run.PrmFileName = (dir / "sugi_type1.prm").string();
    ws->Run.ParFileName = (dir / "sugi.PAR").string();
    ws->Run.SiteClass = 2;
    ws->Run.SiteCurveScale = mk::SiteCurveScale(ws->HeightCurve, 2).value_or(0);

    mk::PlanSettings& p = ws->Plan;
    p.StandStateKnown = mode == kBackward ? 2 : 1;
    p.TargetDecided = mode == kPolicy ? 2 : 1;
    p.StartAge = mode == kBackward ? 1 : 10;
    p.StartStemNumber = mode == kBackward ? 10000 : 3000;
    p.EndAge = mode == kBackward ? 100 : 109;
    p.TargetStemNumber = 500;
    p.TargetPlantingDensity = 800;
    p.StartPlantingDensity = mode == kBackward ? 800 : 3100;
    p.ThinStartAge = 12;
    p.ThinToAge = 91;
    p.IntervalLessOne = 4;
    p.RyLimit = 0.7;
    p.RyStep = 0.1;
    p.SlendernessLimit = mode == kBackward ? 0 : 1.2;
    return ws;
}

void RunPlanRequest(benchmark::State& state, Mode mode) {
    const fs::path dir = fs::temp_directory_path() /
                         ("morikoyomi-bench-plan-" + std::to_string(static_cast<int>(mode)));
    auto ws = PlanWorkspace(dir, mode);
    std::array<NullCanvas, mk::kPlanCount> canvases;
    std::array<mk::Canvas*, mk::kPlanCount> pictures{};
    for (int k = 0; k < mk::kPlanCount; ++k) pictures[k] = &canvases[k];
    mk::RecordingMessages messages;
    mk::NullEventPump pump;
    for (auto _ : state) {
        const std::string path =
            mk::RunPlanTable(*ws, pictures, mk::PlanRunCallbacks{}, messages, pump);
        if (path.empty()) {
            state.SkipWithError("no plan table written");
            break;
        }
        fs::remove(path);
        messages.clear();
    }
    fs::remove_all(dir);
}

void BM_PlanForward(benchmark::State& state) { RunPlanRequest(state, kForward); }
void BM_PlanPolicy(benchmark::State& state) { RunPlanRequest(state, kPolicy); }
void BM_PlanBackward(benchmark::State& state) { RunPlanRequest(state, kBackward); }

BENCHMARK(BM_PlanForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanPolicy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanBackward)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
