// The batch tool's fit and check commands against whole expected files: each
// folder of basedata_cases holds a survey file, the command line (one
// argument a line, the survey file named survey.dat), and the standard
// output, standard error, exit status and written files expected of it
// (@DIR@ stands for the folder the survey file was copied to). The expected
// files come from a second, separately written computation of the fitting
// and the data check that follows every evaluation of the simplex bit for
// bit. The cases cover the automatic selection choosing each function, given
// starting values, an expansion that reaches its limit of 1000 points, a
// start where every residual sum overflows, a search that comes back to a
// simplex it has held (it would never end), stem numbers above 9999, too few
// records for the parameters or the degree, equal ages, repeated and
// reversed pairs and every degree choice.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace mk::test {
namespace {

constexpr std::string_view kSurveyName = "survey.dat";
constexpr std::string_view kExpectedPrefix = "expected.";

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string WithFolder(std::string text, const std::string& folder) {
    const std::string mark = "@DIR@";
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
        text.replace(at, mark.size(), folder);
        at += folder.size();
    }
    return text;
}

std::vector<fs::path> CaseFolders() {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(SourcePath("tests/cli/basedata_cases"))) {
        if (entry.is_directory()) folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

// The output files a case expects, by their names.
std::set<std::string> ExpectedFiles(const fs::path& caseDir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(caseDir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("expected.YIELD_", 0) == 0)
            names.insert(name.substr(kExpectedPrefix.size()));
    }
    return names;
}

std::set<std::string> WrittenFiles(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name != kSurveyName) names.insert(name);
    }
    return names;
}

TEST(BasedataCliCases, EveryCaseWritesExactlyItsExpectedFilesAndMessages) {
    const std::vector<fs::path> folders = CaseFolders();
    ASSERT_GE(folders.size(), 20u);
    for (const fs::path& caseDir : folders) {
        SCOPED_TRACE(caseDir.filename().string());
        TempDir tmp;
        fs::copy_file(caseDir / kSurveyName, tmp.File(kSurveyName));
        std::vector<std::string> args = Lines((caseDir / "args").string());
        for (std::string& arg : args) {
            if (arg == kSurveyName) arg = tmp.File(kSurveyName);
        }
        std::ostringstream out, err;
        const int rc = cli::RunCli(args, out, err);
        EXPECT_EQ(std::to_string(rc) + "\n", ReadBytes((caseDir / "expected.rc").string()));
        EXPECT_EQ(out.str(),
                  WithFolder(ReadBytes((caseDir / "expected.out").string()), tmp.path()));
        EXPECT_EQ(err.str(),
                  WithFolder(ReadBytes((caseDir / "expected.err").string()), tmp.path()));
        const std::set<std::string> expected = ExpectedFiles(caseDir);
        EXPECT_EQ(WrittenFiles(tmp.path()), expected);
        for (const std::string& name : expected) {
            if (!fs::exists(tmp.File(name))) continue;
            EXPECT_EQ(ReadBytes(tmp.File(name)),
                      ReadBytes((caseDir / (std::string(kExpectedPrefix) + name)).string()))
                << name;
        }
    }
}

}  // namespace
}  // namespace mk::test
