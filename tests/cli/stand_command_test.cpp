#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/command_registry.h"
#include "support/test_files.h"

namespace mk::cli {
namespace {

struct StandRun {
    int status;
    std::string out;
    std::string err;
};

StandRun Stand(std::vector<std::string> args) {
    args.insert(args.begin(), "stand");
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(StandCommand, PrintsTheStandValuesOfTheDiagram) {
    const StandRun r = Stand({test::SourcePath("examples/sugi_type1.prm"), "17.5", "2000"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    // Independently computed values, 15 significant digits.
    EXPECT_EQ(r.out,
              "V 424.416119994936\n"
              "HF 7.94131189606246\n"
              "G 53.4440814754265\n"
              "Dq 18.4454839247377\n"
              "D 18.2330990046679\n"
              "NRf 3628.66379726752\n"
              "Ry 0.769741220144025\n"
              "x 354.185399219517\n"
              "y 116.997463268006\n");
}

TEST(StandCommand, LeavesOutRyForAnUnknownDiagramType) {
    test::TempDir dir;
    std::string prm = test::ReadBytes(test::SourcePath("examples/sugi_type1.prm"));
    prm.replace(prm.find("\r\n1\r\n"), 5, "\r\n3\r\n");
    test::WriteBytes(dir.File("t3.prm"), prm);
    const StandRun r = Stand({dir.File("t3.prm"), "17.5", "2000"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("Ry "), std::string::npos);
    EXPECT_NE(r.out.find("NRf 3628.66379726752\nx "), std::string::npos);
}

TEST(StandCommand, PrintsValuesThatAreNotFiniteByName) {
    const StandRun r = Stand({test::SourcePath("examples/sugi_type1.prm"), "17.5", "0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("x -Infinity\n"), std::string::npos) << r.out;
    const StandRun negative = Stand({test::SourcePath("examples/sugi_type1.prm"), "17.5", "-4"});
    EXPECT_NE(negative.out.find("HF NaN\n"), std::string::npos) << negative.out;
}

TEST(StandCommand, UnreadableDiagramIsStatusOneWithTheReadersMessage) {
    const StandRun r = Stand({test::SourcePath("examples/sugi.PAR"), "17.5", "2000"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "[PRMファイル読み込みエラー] データの形式が違います。これは読めません。\n");
}

TEST(StandCommand, BadCommandLineIsStatusTwo) {
    const std::string prm = test::SourcePath("examples/sugi_type1.prm");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {prm}, {prm, "17.5"}, {prm, "17.5", "2000", "extra"}, {prm, "tall", "2000"},
             {prm, "17.5", "2000本"}}) {
        const StandRun r = Stand(args);
        EXPECT_EQ(r.status, 2) << args.size();
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
}  // namespace mk::cli
