#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/command_registry.h"
#include "core/text/cp932.h"
#include "support/test_files.h"

namespace mk::cli {
namespace {

int Cli(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    const int status = RunCli(args, o, e);
    out = o.str();
    err = e.str();
    return status;
}

std::string Utf8File(const std::string& path) {
    auto text = Cp932ToUtf8(test::ReadBytes(path));
    return text ? *text : "<not code page 932>";
}

TEST(CheckCommand, ExaminesThePairsInOrderAndReportsEachOnce) {
    test::TempDir dir;
    const std::string dat = dir.File("sugi_survey.dat");
    std::filesystem::copy_file(test::SourcePath("examples/sugi_survey.dat"), dat);
    std::string out, err;
    ASSERT_EQ(Cli({"check", dat, "--pairs", "0:1,0:1,3:3,1:0", "--degree", "1"}, out, err), 0);
    EXPECT_EQ(out, dir.File("YIELD_AA.CHK") + "\n");
    EXPECT_EQ(err, "");
    const std::string text = Utf8File(dir.File("YIELD_AA.CHK"));
    EXPECT_EQ(text.rfind("ファイル名 sugi_survey.datに関するデータ吟味結果\r\n"
                         " 林  齢 －上層樹高 についての吟味\r\n1次式を用いました。\r\n",
                         0),
              0u);
    size_t blocks = 0;
    for (size_t pos = 0; (pos = text.find("についての吟味", pos)) != std::string::npos; ++pos)
        ++blocks;
    EXPECT_EQ(blocks, 2u);
    EXPECT_NE(text.find("上層樹高－ 林  齢  についての吟味\r\n1次式を用いました。\r\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    ASSERT_EQ(Cli({"check", dat, "--pairs", "2:3"}, out, err), 0);
    EXPECT_EQ(out, dir.File("YIELD_AB.CHK") + "\n");
    EXPECT_NE(Utf8File(dir.File("YIELD_AB.CHK")).find("１～３次式から "), std::string::npos);
}

TEST(CheckCommand, APairThatCannotBeFittedIsReportedAndTheRestGoOn) {
    test::TempDir dir;
    const std::string dat = dir.File("few.dat");
    test::WriteBytes(dat, test::Sjis("収穫予測表作成のための基礎資料   資料数：4\r\n-\r\n-\r\n-\r\n"
                                     "1 1 10 1000 100 20 15 9 20\r\n"
                                     "2 2 12 1200 120 22 16 11 25\r\n"
                                     "3 3 14 1100 150 24 17 12 30\r\n"
                                     "4 4 15 1300 170 26 18 13 35\r\n"));
    std::string out, err;
    ASSERT_EQ(Cli({"check", dat, "--pairs", "0:1,1:3", "--degree", "auto"}, out, err), 0);
    // Four records are too few for the cubic of 1～3.
    EXPECT_EQ(err, "[" + dat +
                       " －調査値データチェック処理] このデータではあてはめできません。\n"
                       "[" +
                       dat + " －調査値データチェック処理] このデータではあてはめできません。\n");
    EXPECT_EQ(Utf8File(dir.File("YIELD_AA.CHK")), "ファイル名 few.datに関するデータ吟味結果\r\n");
    ASSERT_EQ(Cli({"check", dat, "--pairs", "0:1", "--degree", "2"}, out, err), 0);
    EXPECT_EQ(err, "");
    EXPECT_NE(Utf8File(dir.File("YIELD_AB.CHK")).find("\r\n2次式を用いました。\r\n"),
              std::string::npos);
}

TEST(CheckCommand, BadCommandLines) {
    test::TempDir dir;
    std::string out, err;
    const std::string dat = dir.File("a.dat");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"check", dat},
                                               {"check", dat, "--pairs", "7:1"},
                                               {"check", dat, "--pairs", "0-1"},
                                               {"check", dat, "--pairs", "0:1", "--degree", "5"},
                                               {"check", "--pairs", "0:1"}}) {
        EXPECT_EQ(Cli(args, out, err), 2);
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(Cli({"check", dat, "--pairs", "0:1"}, out, err), 1);  // no such file
    EXPECT_FALSE(std::filesystem::exists(dir.File("YIELD_AA.CHK")));
}

}  // namespace
}  // namespace mk::cli
