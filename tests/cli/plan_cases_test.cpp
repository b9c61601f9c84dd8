// The batch tool's plan command against whole expected tables: each folder of
// plan_cases holds a run file (and any parameter file of its own), and the
// .160 table, standard error and exit status expected of it. The tables come
// from a second, separately written computation of the five plans; they cover
// what the other plan cases leave out: site classes 上, 下 and 不明, a type 2
// diagram, logistic and Gompertz height curves, a plan from age 1, a stand on
// the full-density line, stands at the 150-stem floor, the 100000-stem limit
// of the backward search and a diagram that yields values that are not numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace mk::test {
namespace {

std::string WithoutLineEnd(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

// The example parameter files, then the case's own files, into dir.
void PrepareFolder(const fs::path& caseDir, const std::string& dir) {
    for (const auto& entry : fs::directory_iterator(SourcePath("examples"))) {
        if (entry.is_regular_file() && entry.path().filename().string().rfind("sugi", 0) == 0) {
            fs::copy_file(entry.path(), fs::path(dir) / entry.path().filename());
        }
    }
    for (const auto& entry : fs::directory_iterator(caseDir)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.rfind("expected", 0) != 0) {
            fs::copy_file(entry.path(), fs::path(dir) / name);
        }
    }
}

std::vector<fs::path> PlanCaseFolders() {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(SourcePath("tests/cli/plan_cases"))) {
        if (entry.is_directory()) folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

TEST(PlanCliCases, EveryCaseWritesExactlyItsExpectedTableAndMessages) {
    const std::vector<fs::path> folders = PlanCaseFolders();
    ASSERT_GE(folders.size(), 12u);
    for (const fs::path& caseDir : folders) {
        SCOPED_TRACE(caseDir.filename().string());
        TempDir tmp;
        PrepareFolder(caseDir, tmp.path());
        std::ostringstream out, err;
        const int rc = cli::RunCli({"plan", tmp.File("case.run")}, out, err);
        EXPECT_EQ(std::to_string(rc), WithoutLineEnd(ReadBytes((caseDir / "expected.rc").string())));
        EXPECT_EQ(err.str(), ReadBytes((caseDir / "expected.err").string()));
        const std::string written = tmp.File("YIELD_AA.160");
        ASSERT_TRUE(fs::exists(written));
        EXPECT_EQ(ReadBytes(written), ReadBytes((caseDir / "expected.160").string()));
        EXPECT_EQ(out.str(), written + "\n");
    }
}

}  // namespace
}  // namespace mk::test
