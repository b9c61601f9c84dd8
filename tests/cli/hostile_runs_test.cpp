// The batch tool against run files and folders no forester would make:
// stands far beyond what the windows allow, a stand whose searches once
// never ended, huge junk run files and folders whose names hold a line break.
// Each run ends quickly with a message or a FILE:LINE error.

#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "support/peak_memory.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace mk::test {
namespace {

// The example parameter files, and the hostile run files beside them.
void CopyInputs(const std::string& dir) {
    for (const auto& entry : fs::directory_iterator(SourcePath("examples"))) {
        if (entry.path().filename().string().rfind("sugi", 0) == 0 && entry.is_regular_file()) {
            fs::copy_file(entry.path(), fs::path(dir) / entry.path().filename());
        }
    }
    fs::copy(SourcePath("tests/cli/hostile_runs"), dir, fs::copy_options::recursive);
}

// The 1-based number of the first line of a file holding `text`.
int LineHolding(const std::string& path, const std::string& text) {
    std::istringstream lines(ReadBytes(path));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.find(text) != std::string::npos) return number;
    }
    return 0;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    double seconds = 0;  // processor time, which the machine's load does not stretch
};

Outcome RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Outcome outcome;
    const std::clock_t start = std::clock();
    outcome.status = cli::RunCli(args, out, err);
    outcome.seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

TEST(HostileRuns, StandsBeyondTheWindowsBarsAreRunFileErrors) {
    // Plantings of 1e12 and 1e20 stems were accepted (only "> 0" was
    // checked) and the runs never finished.
    TempDir dir;
    CopyInputs(dir.path());
    struct Case {
        const char* command;
        const char* file;
        const char* key;
        const char* reason;
    };
    const Case cases[] = {
        {"yield", "yield_method4_planting_1e20.run", "PlantingStemNumber",
         "1000 から 10000 までです"},
        {"yield", "yield_method5_planting_1e20.run", "PlantingStemNumber",
         "1000 から 10000 までです"},
        {"yield", "yield_method5_planting_1e12.run", "PlantingStemNumber",
         "1000 から 10000 までです"},
        {"plan", "plan_start_planting_1e20.run", "StartPlantingDensity", "1 から 30000 までです"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = dir.File(c.file);
        const Outcome run = RunTool({c.command, path});
        EXPECT_EQ(run.status, 2);
        const std::string section =
            std::string(c.command) == "plan" ? "[PlanSettings] " : "[RunSettings] ";
        EXPECT_EQ(run.err, path + ":" + std::to_string(LineHolding(path, c.key)) + ": " + section +
                               c.key + ": " + c.reason + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_LT(run.seconds, 1.0);
    }
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        EXPECT_NE(entry.path().filename().string().rfind("YIELD_", 0), 0u) << entry.path();
    }
}

TEST(HostileRuns, BarRangesOfTheStandPages) {
    TempDir dir;
    CopyInputs(dir.path());
    const std::string head =
        "[RunSettings]\nPrmFileName = sugi_type1.prm\nParFileName = sugi.PAR\nSiteClass = 2\n"
        "ThinningMethod = 4\nEndAge = 60\nRyTarget = 0.8\nThinningFromAge = 10\n"
        "ThinningToAge = 50\n";
    struct Case {
        std::string lines;
        std::string error;  // empty: the run is made
    };
    const std::vector<Case> cases = {
        {"StemSettingMethod = 1\nPlantingStemNumber = 999\n",
         ":11: [RunSettings] PlantingStemNumber: 1000 から 10000 までです"},
        {"StemSettingMethod = 1\nPlantingStemNumber = 10000.5\n",
         ":11: [RunSettings] PlantingStemNumber: 1000 から 10000 までです"},
        {"StemSettingMethod = 1\nPlantingStemNumber = 10000\nBoundThinningRate = 0.2\n", ""},
        {"StemSettingMethod = 1\nPlantingStemNumber = 1000\nBoundThinningRate = 1.2\n",
         ":12: [RunSettings] BoundThinningRate: 0 から 1 までです"},
        {"StemSettingMethod = 2\nCurrentAge = 20\nCurrentStemNumber = 199\n",
         ":12: [RunSettings] CurrentStemNumber: 200 から 10000 までです"},
        {"StemSettingMethod = 2\nCurrentAge = 20\nCurrentStemNumber = 10001\n",
         ":12: [RunSettings] CurrentStemNumber: 200 から 10000 までです"},
        {"StemSettingMethod = 2\nCurrentAge = 20\nCurrentStemNumber = 1500\n"
         "[CurrentStandState]\nCurrentPlantingDensity = 1e12\n",
         ":14: [CurrentStandState] CurrentPlantingDensity: 100 から 30000 までです"},
        {"StemSettingMethod = 2\nCurrentAge = 20\nCurrentStemNumber = 200\nBoundThinningRate = "
         "0.2\n",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const std::string path = dir.File("case.run");
        WriteBytes(path, head + c.lines);
        const Outcome run = RunTool({"yield", path});
        if (c.error.empty()) {
            EXPECT_EQ(run.status, 0) << run.err;
        } else {
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.err, path + c.error + "\n");
        }
    }
}

TEST(HostileRuns, AThinToRyStandBeyondDoublesStopsWithTheUsualMessage) {
    // A diagram whose stand reaches 1e182 stems: taking 100 stems at a time
    // off such a number changes nothing, and the search once ran for ever.
    TempDir dir;
    CopyInputs(dir.path());
    const std::string folder = dir.File("ry_search_far_stand");
    const Outcome run = RunTool({"yield", folder + "/case.run"});
    EXPECT_LT(run.seconds, 1.0);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, folder + "/YIELD_AA.150\n");
    EXPECT_NE(run.err.find("[TABLECALC] 林齢 "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" で計算できない値になりました。パラメータを確認してください。\n"),
              std::string::npos)
        << run.err;
    // The table written so far is closed with its closing rule.
    const std::string table = ReadBytes(folder + "/YIELD_AA.150");
    EXPECT_EQ(table.substr(table.size() - 2), "\r\n");
}

TEST(HostileRuns, JunkRunFilesAreRefusedQuicklyInLittleMemory) {
    TempDir dir;
    const std::string path = dir.File("junk.run");
    // Once 2.2 GB for 60 MB; a smaller file shows the same in less time.
    constexpr long long kSize = 16LL << 20;

    WriteJunk(path.c_str(), kSize);  // millions of empty lines
    Outcome run;
    auto growth = PeakMemoryGrowth([&] { run = RunTool({"yield", path}); });
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, path + ": [RunSettings] PrmFileName がありません\n");
    if (growth) {
        EXPECT_LT(*growth, 2 * kSize) << *growth;
    }

    WriteJunk(path.c_str(), kSize, "", 'x');  // one endless line
    growth = PeakMemoryGrowth([&] { run = RunTool({"plan", path}); });
    EXPECT_EQ(run.status, 2);
    // The line is quoted, but only its beginning.
    EXPECT_EQ(run.err,
              path + ":1: 「キー = 値」の形ではありません: " + std::string(80, 'x') + "…\n");
    if (growth) {
        EXPECT_LT(*growth, 4 * kSize) << *growth;
    }

    // Above the limit the file is not read at all, and the error says why.
    ASSERT_EQ(::truncate(path.c_str(), (64LL << 20) + 1), 0);
    run = RunTool({"volume", path});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, path + ": ファイルが大きすぎて読めません（64MBまで）\n");
}

TEST(HostileRuns, NothingIsWrittenIntoAFolderWhoseNameBreaksTheLine) {
    // Every written path is printed as one line; a line break in a folder
    // would make a script reading that list see two paths.
    TempDir dir;
    const std::string plain = dir.File("plain");
    fs::create_directory(plain);
    CopyInputs(plain);
    const std::string plainRun = plain + "/x.run";
    fs::copy_file(SourcePath("examples/yield_method4.run"), plainRun);
    for (const char* name : {"a\nb", "c\rd"}) {
        SCOPED_TRACE(name);
        const std::string folder = dir.File(name);
        fs::create_directory(folder);
        CopyInputs(folder);
        const std::string runFile = folder + "/yield_method4.run";
        fs::copy_file(SourcePath("examples/yield_method4.run"), runFile);
        const int parLine = LineHolding(runFile, "ParFileName");
        const std::string refusal =
            "改行を含むフォルダ名には書き込めません（書き込んだファイルのパスは 1 行に 1 "
            "つずつ出力します）";

        Outcome run = RunTool({"yield", runFile});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, runFile + ":" + std::to_string(parLine) +
                               ": [RunSettings] ParFileName: " + refusal + "\n");

        // The table's folder is fine, the image folder is not.
        run = RunTool({"yield", plainRun, "--images", folder + "/images"});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "morikoyomi-cli: --images: " + refusal + "\n");

        for (const char* command : {"fit", "check"}) {
            const std::vector<std::string> args =
                std::string(command) == "fit"
                    ? std::vector<std::string>{"fit", folder + "/sugi_survey.dat", "--curve", "hnp"}
                    : std::vector<std::string>{"check", folder + "/sugi_survey.dat", "--pairs",
                                               "0:1"};
            run = RunTool(args);
            EXPECT_EQ(run.status, 2) << command;
            EXPECT_EQ(run.err.rfind(
                          std::string("morikoyomi-cli ") + command + ": DATFILE: " + refusal, 0),
                      0u)
                << run.err;
        }
        EXPECT_EQ(run.out, "");
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            EXPECT_NE(entry.path().filename().string().rfind("YIELD_", 0), 0u) << entry.path();
            EXPECT_NE(entry.path().extension(), ".bmp") << entry.path();
        }
    }
}

}  // namespace
}  // namespace mk::test
