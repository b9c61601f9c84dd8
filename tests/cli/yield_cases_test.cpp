// The batch tool's yield and volume commands against whole expected files:
// each folder of yield_cases holds a run file, the command, and the table,
// standard error and exit status expected of it. The tables were checked
// against an independent computation when the cases were made.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace mk::test {
namespace {

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

// Copies the example parameter files and the case's own files into dir.
void PrepareCase(const fs::path& caseDir, const std::string& dir) {
    const fs::path examples = SourcePath("examples");
    for (const auto& entry : fs::directory_iterator(examples)) {
        if (entry.path().filename().string().rfind("sugi", 0) == 0 && entry.is_regular_file()) {
            fs::copy_file(entry.path(), fs::path(dir) / entry.path().filename());
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(caseDir)) {
        if (!entry.is_regular_file()) continue;
        const fs::path rel = fs::relative(entry.path(), caseDir);
        const std::string name = rel.filename().string();
        if (name == "command" || name.rfind("expected", 0) == 0) continue;
        fs::create_directories((fs::path(dir) / rel).parent_path());
        if (rel.extension() == ".copy") {
            // A copy of an example file under another folder.
            const std::string source = Trimmed(ReadBytes(entry.path().string()));
            fs::path target = fs::path(dir) / rel;
            target.replace_extension();
            fs::copy_file(examples / source, target);
        } else {
            fs::copy_file(entry.path(), fs::path(dir) / rel);
        }
    }
}

std::vector<fs::path> CaseFolders() {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(SourcePath("tests/cli/yield_cases"))) {
        if (entry.is_directory()) folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

TEST(YieldCliCases, EveryCaseWritesExactlyItsExpectedFilesAndMessages) {
    const std::vector<fs::path> folders = CaseFolders();
    ASSERT_GE(folders.size(), 20u);
    for (const fs::path& caseDir : folders) {
        SCOPED_TRACE(caseDir.filename().string());
        TempDir tmp;
        PrepareCase(caseDir, tmp.path());
        const std::string command = Trimmed(ReadBytes((caseDir / "command").string()));
        const std::string suffix = command == "yield" ? ".150" : ".80";
        std::ostringstream out, err;
        const int rc = cli::RunCli({command, tmp.File("case.run")}, out, err);

        EXPECT_EQ(std::to_string(rc), Trimmed(ReadBytes((caseDir / "expected.rc").string())));
        EXPECT_EQ(ReplaceAll(err.str(), tmp.path(), "@DIR@"),
                  ReadBytes((caseDir / "expected.err").string()));
        const fs::path expectedTable = caseDir / ("expected" + suffix);
        const std::string written = tmp.File("YIELD_AA" + suffix);
        if (fs::exists(expectedTable)) {
            ASSERT_TRUE(fs::exists(written));
            EXPECT_EQ(ReadBytes(written), ReadBytes(expectedTable.string()));
            EXPECT_EQ(out.str(), written + "\n");
        } else {
            EXPECT_FALSE(fs::exists(written)) << "nothing may be written";
            EXPECT_EQ(out.str(), "");
        }
    }
}

TEST(YieldCliCases, ASecondRunTakesTheNextFreeName) {
    TempDir tmp;
    PrepareCase(SourcePath("tests/cli/yield_cases/method4_planting"), tmp.path());
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunCli({"yield", tmp.File("case.run")}, out, err), 0);
    ASSERT_EQ(cli::RunCli({"yield", tmp.File("case.run")}, out, err), 0);
    EXPECT_EQ(out.str(), tmp.File("YIELD_AA.150") + "\n" + tmp.File("YIELD_AB.150") + "\n");
    EXPECT_EQ(ReadBytes(tmp.File("YIELD_AA.150")), ReadBytes(tmp.File("YIELD_AB.150")));
}

TEST(YieldCliCases, EveryExampleRunFileRunsAsItIs) {
    const fs::path examples = SourcePath("examples");
    TempDir tmp;
    for (const auto& entry : fs::directory_iterator(examples)) {
        fs::copy(entry.path(), fs::path(tmp.path()) / entry.path().filename(),
                 fs::copy_options::recursive);
    }
    int runs = 0;
    for (const auto& entry : fs::directory_iterator(tmp.path())) {
        const std::string name = entry.path().filename().string();
        const bool yield = name.rfind("yield_", 0) == 0;
        const bool volume = name.rfind("volume_", 0) == 0;
        if (entry.path().extension() != ".run" || (!yield && !volume)) continue;
        SCOPED_TRACE(name);
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunCli({yield ? "yield" : "volume", entry.path().string()}, out, err), 0);
        EXPECT_EQ(err.str(), "");
        EXPECT_NE(out.str().find(tmp.path() + "/YIELD_"), std::string::npos);
        ++runs;
    }
    EXPECT_GE(runs, 14);
}

TEST(YieldCliCases, BadCommandLinesAreRefusedWithStatusTwo) {
    TempDir tmp;
    PrepareCase(SourcePath("tests/cli/yield_cases/volume_table"), tmp.path());
    const std::vector<std::vector<std::string>> bad = {
        {"yield"},
        {"yield", tmp.File("case.run"), "--images"},
        {"yield", tmp.File("case.run"), "extra"},
        {"volume", tmp.File("case.run"), "--site", "4"},
        {"volume", tmp.File("case.run"), "--bogus"},
        {"yield", tmp.File("missing.run")},
    };
    for (const auto& args : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunCli(args, out, err), 2) << args.size();
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_FALSE(fs::exists(tmp.File("YIELD_AA.80")));
}

}  // namespace
}  // namespace mk::test
