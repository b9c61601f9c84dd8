// The run-file parser: syntax, names, typed values and the errors that name
// the file and line.

#include <gtest/gtest.h>

#include "cli/run_file.h"

namespace mk::cli {
namespace {

std::optional<RunFile> Parse(const std::string& text, RunFileError& error) {
    return ParseRunFileText(text, "/runs/case.run", error);
}

TEST(YieldRunFile, CommentsBlanksBomAndLineEnds) {
    RunFileError error;
    const auto file = Parse(
        "\xEF\xBB\xBF; a comment\r\n"
        "  # another\r\n"
        "\r\n"
        "[RunSettings]  \r\n"
        "  PrmFileName   =  diagrams/sugi.prm  \r\n"
        "ParFileName=/abs/sugi.PAR\n"
        "ThinningCount = 3\n"
        "ThinningKey = 15 , 25,35\n"
        "ThinningRate = 0.2, 0.25, .3\n"
        "[CurrentStandState]\n"
        "SiteText = 中・推定\n",
        error);
    ASSERT_TRUE(file) << error.Text();
    RunSettings run;
    CurrentStandState stand;
    std::string hnp = "kept";
    ASSERT_TRUE(ReadRunSettings(*file, run, stand, hnp, error)) << error.Text();
    EXPECT_EQ(run.PrmFileName, "/runs/diagrams/sugi.prm");
    EXPECT_EQ(run.ParFileName, "/abs/sugi.PAR");
    EXPECT_EQ(run.ThinningCount, 3);
    EXPECT_EQ(run.ThinningKey[1], 15);
    EXPECT_EQ(run.ThinningKey[3], 35);
    EXPECT_EQ(run.ThinningRate[3], 0.3);
    EXPECT_EQ(run.ThinningKey[0], 0);
    EXPECT_EQ(stand.SiteText, "中・推定");
    EXPECT_EQ(hnp, "kept");
    EXPECT_EQ(file->Find("RunSettings", "ThinningKey")->line, 8);
}

TEST(YieldRunFile, ErrorsNameTheLineAndTheReason) {
    struct Case {
        const char* text;
        int line;
        const char* reason;
    };
    const Case cases[] = {
        {"[RunSettings]\nEndAge = 100\n[Bogus]\n", 3, "不明なセクションです: [Bogus]"},
        {"[RunSettings]\nendage = 100\n", 2, "[RunSettings] の不明なキーです: endage"},
        {"EndAge = 100\n", 1, "セクションの前に項目があります: EndAge"},
        {"[RunSettings]\nEndAge 100\n", 2, "「キー = 値」の形ではありません: EndAge 100"},
        {"[RunSettings]\nEndAge = 1\nEndAge = 2\n", 3, "[RunSettings] EndAge が二度あります"},
        {"[RunSettings\n", 1, "セクションの行が ] で終わっていません: [RunSettings"},
    };
    for (const Case& c : cases) {
        RunFileError error;
        EXPECT_FALSE(Parse(c.text, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.reason, c.reason);
        EXPECT_EQ(error.Text(), "/runs/case.run:" + std::to_string(c.line) + ": " + c.reason);
    }
}

TEST(YieldRunFile, ValuesThatAreNotWhatTheFieldNeeds) {
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"[RunSettings]\nEndAge = 100.5\n", 2},
        {"[RunSettings]\nEndAge =\n", 2},
        {"[RunSettings]\nRyTarget = 0.8x\n", 2},
        {"[RunSettings]\nThinningCount = 2\nThinningKey = 10,\nThinningRate = 0.1, 0.1\n", 3},
        {"[RunSettings]\nThinningCount = 2\nThinningKey = 10\nThinningRate = 0.1, 0.1\n", 3},
        {"[RunSettings]\n\nThinningCount = 1\n", 1},  // lists missing: the section's line
        {"[RunSettings]\nThinningCount = 12\n", 2},
        {"[RunSettings]\nPrmFileName =\n", 2},
    };
    for (const Case& c : cases) {
        RunFileError error;
        const auto file = Parse(c.text, error);
        ASSERT_TRUE(file) << c.text;
        RunSettings run;
        CurrentStandState stand;
        std::string hnp;
        EXPECT_FALSE(ReadRunSettings(*file, run, stand, hnp, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text << error.Text();
        EXPECT_EQ(error.file, "/runs/case.run");
    }
}

TEST(YieldRunFile, AbsentFieldsKeepTheirClearedValues) {
    RunFileError error;
    const auto file = Parse("[RunSettings]\nSiteClass = 2\n", error);
    ASSERT_TRUE(file);
    RunSettings run;
    run.EndAge = 77;
    run.ThinningKey[2] = 5;
    CurrentStandState stand;
    stand.CurrentHeight = 3;
    std::string hnp;
    ASSERT_TRUE(ReadRunSettings(*file, run, stand, hnp, error));
    EXPECT_EQ(run.SiteClass, 2);
    EXPECT_EQ(run.EndAge, 0);
    EXPECT_EQ(run.ThinningKey[2], 0);
    EXPECT_EQ(stand.CurrentHeight, 0);
    EXPECT_FALSE(file->Has("RunSettings", "EndAge"));
}

TEST(YieldRunFile, AMissingFileIsAnErrorWithoutALine) {
    RunFileError error;
    EXPECT_FALSE(ReadRunFile("/nonexistent/folder/x.run", error));
    EXPECT_EQ(error.Text(), "/nonexistent/folder/x.run: ファイルを開けません");
}

}  // namespace
}  // namespace mk::cli
