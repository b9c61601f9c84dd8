// A forest register of 20,000 compartments, six years each, through the
// whole pipeline (reading, a yield run per compartment, writing), with one
// and with two worker threads. Reported as compartments per second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/register/register_run.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCompartments = 20000;

// The example files and a register over them, made once.
const std::string& RegisterPath() {
    static const std::string path = [] {
        const fs::path folder = fs::temp_directory_path() / "morikoyomi-bench-register";
        fs::create_directories(folder);
        for (const char* name : {"sugi_type1.prm", "sugi_type2.prm", "sugi.PAR"}) {
            fs::copy_file(fs::path(MORIKOYOMI_SOURCE_DIR) / "examples" / name, folder / name,
                          fs::copy_options::overwrite_existing);
        }
        std::mt19937 random(16);
        auto pick = [&random](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        std::ofstream out(folder / "register.csv", std::ios::binary);
        out << "区画ID,面積(ha),PRM,PAR,地位,林齢,立木本数,施業,樹種\r\n";
        const char* const sites[] = {"上", "中", "下"};
        for (int i = 0; i < kCompartments; ++i) {
            out << i << ',' << pick(5, 800) / 100.0 << ",sugi_type" << 1 + i % 2 << ".prm,sugi.PAR,"
                << sites[pick(0, 2)] << ',' << pick(5, 90) << ','
                << (i % 4 == 0 ? std::string() : std::to_string(pick(400, 3000))) << ','
                << (i % 2 == 0 ? "thin.run" : "") << ",スギ\r\n";
        }
        return (folder / "register.csv").string();
    }();
    return path;
}

// Thinning to 20 % fewer stems whenever Ry reaches 0.75 (the example run
// file of method 4); the run-file reader belongs to the batch tool.
bool Thinning(const std::string&, mk::RunSettings& run, std::string&) {
    mk::ClearRunSettings(run);
    run.ThinningMethod = 4;
    run.RyTarget = 0.75;
    run.BoundThinningRate = 0.20;
    run.ThinningFromAge = 15;
    run.ThinningToAge = 71;
    return true;
}

void BM_Register(benchmark::State& state) {
    mk::RegisterOptions options;
    options.simulation.years = {0, 5, 10, 15, 20, 30};
    options.threads = static_cast<int>(state.range(0));
    const std::string& path = RegisterPath();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const mk::RegisterOutcome outcome =
            mk::RunRegister(path, options, Thinning, [&bytes](std::string_view b) {
                bytes += b.size();
                return true;
            });
        if (outcome.rows != kCompartments || outcome.failedRows != 0) {
            state.SkipWithError("the register did not compute whole");
        }
    }
    state.counters["compartments/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kCompartments, benchmark::Counter::kIsRate);
    state.counters["output_bytes"] =
        static_cast<double>(bytes) /
        static_cast<double>(std::max<std::int64_t>(1, state.iterations()));
}

BENCHMARK(BM_Register)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
