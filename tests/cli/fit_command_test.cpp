#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/command_registry.h"
#include "core/text/cp932.h"
#include "support/test_files.h"

namespace mk::cli {
namespace {

struct CliRun {
    int status = 0;
    std::string out, err;
};

CliRun Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    CliRun run;
    run.status = RunCli(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string Utf8File(const std::string& path) {
    auto text = Cp932ToUtf8(test::ReadBytes(path));
    return text ? *text : "<not code page 932>";
}

std::string SurveyBytes(const std::vector<std::string>& records) {
    std::string text = "                 収穫予測表作成のための基礎資料   資料数：" +
                       std::to_string(records.size()) + "\r\n-\r\n-\r\n-\r\n";
    for (const auto& r : records) text += r + "\r\n";
    return test::Sjis(text);
}

class FitCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(test::SourcePath("examples/sugi_survey.dat"), dat);
    }
    test::TempDir dir;
    std::string dat = dir.File("sugi_survey.dat");
};

TEST_F(FitCommand, AutomaticSelectionWritesTheChosenCurve) {
    CliRun run = Cli({"fit", dat, "--curve", "site"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dir.File("YIELD_AA.PAR") + "\n");
    EXPECT_EQ(run.err, "");
    const std::string text = Utf8File(dir.File("YIELD_AA.PAR"));
    EXPECT_EQ(text.substr(0, text.find("PARAMETER")),
              "上層樹高生長曲線計算結果\r\nファイル名, sugi_survey.dat\r\n"
              " 1 ＭITSCHERLICH式  （最適曲線）\r\n");
}

TEST_F(FitCommand, OneFunctionIsNotMarkedAsChosen) {
    CliRun run = Cli({"fit", dat, "--curve", "site", "--function", "2"});
    EXPECT_EQ(run.status, 0);
    const std::string text = Utf8File(dir.File("YIELD_AA.PAR"));
    EXPECT_NE(text.find("\r\n 2 logistic式       \r\n"), std::string::npos);
    // The next run takes the next free name.
    EXPECT_EQ(Cli({"fit", dat, "--curve", "site", "--function", "1"}).out,
              dir.File("YIELD_AB.PAR") + "\n");
}

TEST_F(FitCommand, GivenStartingValuesAndTheStemCurve) {
    CliRun run = Cli({"fit", dat, "--curve", "site", "--init", "28,1,0.03"});
    EXPECT_EQ(run.status, 0);
    run = Cli({"fit", dat, "--curve", "hnp"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dir.File("YIELD_AA.HNP") + "\n");
    const std::string text = Utf8File(dir.File("YIELD_AA.HNP"));
    EXPECT_EQ(text.substr(0, text.find("PARAMETER")),
              "上層樹高－本数曲線式\r\nsugi_survey.dat\r\n");
    run = Cli({"fit", dat, "--curve", "hnp", "--init", "2500,7.5,0.14,3100"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dir.File("YIELD_AB.HNP") + "\n");
}

TEST_F(FitCommand, BadCommandLinesWriteNothing) {
    const std::vector<std::vector<std::string>> bad = {
        {"fit", dat},
        {"fit", "--curve", "site"},
        {"fit", dat, "--curve", "height"},
        {"fit", dat, "--curve", "site", "--function", "4"},
        {"fit", dat, "--curve", "site", "--init", "1,2"},
        {"fit", dat, "--curve", "hnp", "--init", "1,2,3"},
        {"fit", dat, "--curve", "site", "--init", "1,0,3"},
        {"fit", dat, "--curve", "site", "--init", "1,x,3"},
        {"fit", dat, "--curve", "site", "--speed", "9"},
        {"fit", dat, "--curve"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args.size());
        CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("YIELD_AA.PAR")));
}

TEST(FitCommandData, RefusedFilesAndDataThatCannotBeFitted) {
    test::TempDir dir;
    const std::string notSurvey = dir.File("note.dat");
    test::WriteBytes(notSurvey, "hello\r\n");
    CliRun run = Cli({"fit", notSurvey, "--curve", "site"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "[DATファイル読み込みエラー] データの形式が違います。これは読めません。\n");

    const std::string empty = dir.File("empty.dat");
    test::WriteBytes(empty, SurveyBytes({"1 1 0 1000 1 1 1 1 20", "2 2 12 1000 1 1 1 1 0"}));
    run = Cli({"fit", empty, "--curve", "site"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "[DATファイル読み込み中止] empty.dat に有効なデータがありません。\n");

    const std::string flat = dir.File("flat.dat");
    test::WriteBytes(flat, SurveyBytes({"1 1 10 1000 1 1 1 1 20", "2 2 12 1000 1 1 1 1 20",
                                        "3 3 14 1000 1 1 1 1 20", "4 4 11 1000 1 1 1 1 20"}));
    run = Cli({"fit", flat, "--curve", "site"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "[" + flat + " －地位別上層樹高曲線式の決定] このデータではあてはめできません。\n");
    run = Cli({"fit", flat, "--curve", "hnp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "[" + flat + " －上層樹高－本数曲線式の決定] このデータではあてはめできません。\n");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("YIELD_AA.PAR")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("YIELD_AA.HNP")));
}

}  // namespace
}  // namespace mk::cli
