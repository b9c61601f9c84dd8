// The batch tool's plan command: the example run files against the plan
// tables of the independent computation, the values it completes as the
// wizard would, messages on standard error, and bad run files.

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

std::string PlanData(const std::string& name) {
    return SourcePath("tests/core/planning/data/" + name);
}

class PlanCommand : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"sugi_type1.prm", "sugi_type2.prm", "sugi.PAR"}) {
            fs::copy_file(PlanData(name), dir_.File(name));
        }
    }
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        args.insert(args.begin(), "plan");
        return cli::RunCli(args, out_, err_);
    }
    std::string WriteRun(const std::string& name, const std::string& text) {
        const std::string path = dir_.File(name);
        WriteBytes(path, text);
        return path;
    }
    bool NothingWritten() const {
        for (const auto& entry : fs::directory_iterator(dir_.path())) {
            if (entry.path().extension() == ".160") return false;
        }
        return true;
    }

    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

struct ExampleCase {
    const char* runFile;
    const char* expected;
};

TEST_F(PlanCommand, ExampleRunFilesGiveTheCheckedTables) {
    // The examples leave the planting densities to be computed as the wizard
    // pages do; the checked cases give the values that computation yields.
    const ExampleCase cases[] = {{"plan_target.run", "mode_a.160"},
                                 {"plan_policy.run", "mode_b.160"},
                                 {"plan_backward.run", "mode_c.160"}};
    char second = 'A';
    for (const ExampleCase& c : cases) {
        fs::copy_file(SourcePath(std::string("examples/") + c.runFile), dir_.File(c.runFile));
        EXPECT_EQ(Run({dir_.File(c.runFile)}), 0) << err_.str();
        const std::string path = dir_.File(std::string("YIELD_A") + second + ".160");
        EXPECT_EQ(out_.str(), path + "\n");
        EXPECT_EQ(err_.str(), "");
        EXPECT_EQ(ReadBytes(path), ReadBytes(PlanData(c.expected))) << c.runFile;
        ++second;
    }
}

TEST_F(PlanCommand, MessagesGoToStandardErrorAndTheRunGoesOn) {
    const std::string run = WriteRun("floor.run",
                                     "[RunSettings]\n"
                                     "PrmFileName = sugi_type2.prm\n"
                                     "ParFileName = sugi.PAR\n"
                                     "SiteClass = 1\n"
                                     "[PlanSettings]\n"
                                     "StandStateKnown = 1\nTargetDecided = 2\n"
                                     "StartAge = 3\nStartStemNumber = 3000\nEndAge = 40\n"
                                     "ThinStartAge = 10\nThinToAge = 41\nIntervalLessOne = 2\n"
                                     "RyLimit = 0.65\nRyStep = 0.6\nSlendernessLimit = 1.2\n");
    EXPECT_EQ(Run({run}), 0);
    EXPECT_EQ(err_.str(), ReadBytes(PlanData("floor_b.msg")));
    EXPECT_EQ(ReadBytes(dir_.File("YIELD_AA.160")), ReadBytes(PlanData("floor_b.160")));
}

TEST_F(PlanCommand, ImagesOfTheChosenPlan) {
    fs::copy_file(SourcePath("examples/plan_policy.run"), dir_.File("plan_policy.run"));
    const std::string images = dir_.File("images");
    EXPECT_EQ(Run({dir_.File("plan_policy.run"), "--images", images, "--plan", "2"}), 0)
        << err_.str();
    std::string expected = dir_.File("YIELD_AA.160") + "\n";
    for (int i = 0; i <= 5; ++i) expected += images + "/image" + std::to_string(i) + ".bmp\n";
    EXPECT_EQ(out_.str(), expected);
    for (int i = 0; i <= 5; ++i) {
        EXPECT_GT(fs::file_size(images + "/image" + std::to_string(i) + ".bmp"), 0u);
    }
}

TEST_F(PlanCommand, CompareFollowsThePathsAfterABlankLine) {
    fs::copy_file(SourcePath("examples/plan_target.run"), dir_.File("plan_target.run"));
    const std::string csv = dir_.File("比較.csv");
    EXPECT_EQ(Run({dir_.File("plan_target.run"), "--compare", "--compare-csv", csv}), 0)
        << err_.str();
    const std::string out = out_.str();
    const std::string head = dir_.File("YIELD_AA.160") + "\n" + csv + "\n\n施業体系の比較（林齢 ";
    ASSERT_EQ(out.substr(0, head.size()), head) << out;
    // One line per plan, each with the plan's number first, and the legend.
    std::istringstream lines(out.substr(out.find("\n\n") + 2));
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_GE(all.size(), 8u + 7u);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(all[static_cast<std::size_t>(2 + k)].substr(0, 4),
                  std::string("   ") + std::to_string(k));
    }
    EXPECT_NE(out.find("形状比：小さいほど良い"), std::string::npos);
    // The CSV holds the same plans, one table of its own.
    const std::string written = ReadBytes(csv);
    EXPECT_EQ(written.find("\xEF\xBB\xBF計画,林齢,間伐回数（回）"), 0u);
    EXPECT_NE(written.find("\r\n5,"), std::string::npos);
    EXPECT_EQ(Run({dir_.File("plan_target.run"), "--compare-csv"}), 2);
    EXPECT_EQ(Run({dir_.File("plan_target.run"), "--compare-csv", csv, "--compare-csv", csv}), 2);
    // The table itself is the same as without the comparison.
    EXPECT_EQ(ReadBytes(dir_.File("YIELD_AA.160")), ReadBytes(PlanData("mode_a.160")));
}

TEST_F(PlanCommand, ADiagramOfAnotherTypeWritesNothing) {
    std::string prm = ReadBytes(dir_.File("sugi_type1.prm"));
    prm.replace(prm.find("\r\n1\r\n"), 5, "\r\n3\r\n");
    WriteBytes(dir_.File("sugi_type1.prm"), prm);
    fs::copy_file(SourcePath("examples/plan_policy.run"), dir_.File("plan_policy.run"));
    EXPECT_EQ(Run({dir_.File("plan_policy.run")}), 1);
    EXPECT_NE(
        err_.str().find("[TABLECALC2] 林分密度管理図の種類が正しくありません（1または2）。\n"),
        std::string::npos)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
    EXPECT_TRUE(NothingWritten());
}

struct BadRunFile {
    const char* plan;   // the [PlanSettings] section's lines
    const char* where;  // expected in the error: ":LINE: "
};

TEST_F(PlanCommand, BadRunFilesAreRefusedWithTheirLine) {
    const std::string head =
        "[RunSettings]\nPrmFileName = sugi_type1.prm\nParFileName = sugi.PAR\nSiteClass = 2\n"
        "[PlanSettings]\n";  // lines 1-5
    const BadRunFile cases[] = {
        {"TargetDecided = 1\nEndAge = 60\nTargetStemNumber = 700\n", ":5: "},  // no StandStateKnown
        {"StandStateKnown = 2\nTargetDecided = 2\nEndAge = 60\n", ":7: "},     // nothing to plan
        {"StandStateKnown = 3\nTargetDecided = 2\nEndAge = 60\n", ":6: "},
        {"StandStateKnown = 1\nTargetDecided = 2\nStartStemNumber = 2000\nEndAge = 60\n", ":5: "},
        {"StandStateKnown = 1\nTargetDecided = 2\nStartAge = 30\nStartStemNumber = 2000\n"
         "EndAge = 30\n",
         ":10: "},
        {"StandStateKnown = 2\nTargetDecided = 1\nEndAge = 60\n", ":5: "},  // no TargetStemNumber
        {"StandStateKnown = 2\nTargetDecided = 1\nEndAge = 60\nTargetStemNumber = x\n", ":9: "},
        {"StandStateKnown = 2\nTargetDecided = 1\nEndAge = 60\nTargetStemNumbers = 700\n", ":9: "},
    };
    for (const BadRunFile& c : cases) {
        const std::string run = WriteRun("bad.run", head + c.plan);
        EXPECT_EQ(Run({run}), 2) << c.plan;
        EXPECT_NE(err_.str().find(run + c.where), std::string::npos) << c.plan << err_.str();
        EXPECT_EQ(out_.str(), "");
        EXPECT_TRUE(NothingWritten());
    }
    EXPECT_EQ(Run({"--plan", "6", dir_.File("bad.run")}), 2);
    EXPECT_NE(err_.str().find("usage: morikoyomi-cli plan RUNFILE"), std::string::npos);
    EXPECT_EQ(Run({}), 2);
}

TEST_F(PlanCommand, AScaleGivenForANamedSiteClassIsRefused) {
    const std::string run = WriteRun("scale.run",
                                     "[RunSettings]\nPrmFileName = sugi_type1.prm\n"
                                     "ParFileName = sugi.PAR\nSiteClass = 2\nSiteCurveScale = 30\n"
                                     "[PlanSettings]\nStandStateKnown = 2\nTargetDecided = 1\n"
                                     "EndAge = 60\nTargetStemNumber = 700\n");
    EXPECT_EQ(Run({run}), 2);
    EXPECT_NE(err_.str().find(run + ":5: "), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace mk::test
