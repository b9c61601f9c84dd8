#include "cli/run_command_args.h"

#include <gtest/gtest.h>

namespace mk::cli {
namespace {

bool Parse(std::vector<std::string> args, RunCommandArgs& parsed, const char* option = "--site",
           int max = 3) {
    parsed = RunCommandArgs{};
    return ParseRunCommandArgs(args, option, max, parsed);
}

TEST(RunCommandArgs, RunFileImagesAndChoice) {
    RunCommandArgs parsed;
    ASSERT_TRUE(Parse({"a.run"}, parsed));
    EXPECT_EQ(parsed.runFile, "a.run");
    EXPECT_EQ(parsed.imageFolder, "");
    EXPECT_EQ(parsed.choice, 1);

    ASSERT_TRUE(Parse({"--images", "out", "a.run", "--site", "3"}, parsed));
    EXPECT_EQ(parsed.imageFolder, "out");
    EXPECT_EQ(parsed.choice, 3);

    ASSERT_TRUE(Parse({"a.run", "--plan", "5"}, parsed, "--plan", 5));
    EXPECT_EQ(parsed.choice, 5);
}

TEST(RunCommandArgs, RefusesWhatTheCommandDoesNotTake) {
    RunCommandArgs parsed;
    EXPECT_FALSE(Parse({}, parsed));
    EXPECT_FALSE(Parse({"a.run", "b.run"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--images"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--images", "x", "--images", "y"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--site", "4"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--site", "0"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--site", "1", "--site", "2"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--site", "x"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--site"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--plan", "2"}, parsed));  // not this command's option
    EXPECT_FALSE(Parse({"a.run", "--site", "2"}, parsed, nullptr, 0));
    EXPECT_FALSE(Parse({"--verbose", "a.run"}, parsed));
}

TEST(RunCommandArgs, ExportsAndTheirCompanions) {
    RunCommandArgs parsed;
    ASSERT_TRUE(Parse({"a.run", "--csv", "t.csv", "--every-year", "--pdf", "r.pdf", "--images",
                       "img", "--format", "svg"},
                      parsed));
    EXPECT_EQ(parsed.csvFile, "t.csv");
    EXPECT_TRUE(parsed.everyYear);
    EXPECT_EQ(parsed.pdfFile, "r.pdf");
    EXPECT_EQ(parsed.imageFormat, PictureFormat::Svg);
    ASSERT_TRUE(Parse({"a.run", "--images", "img"}, parsed));
    EXPECT_EQ(parsed.imageFormat, PictureFormat::Bmp);
    EXPECT_FALSE(parsed.everyYear);

    EXPECT_FALSE(Parse({"a.run", "--format", "png"}, parsed));  // no images to format
    EXPECT_FALSE(Parse({"a.run", "--images", "i", "--format", "jpg"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--images", "i", "--format", "png", "--format", "svg"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--every-year"}, parsed));  // no CSV to fill
    EXPECT_FALSE(Parse({"a.run", "--csv", "a", "--every-year", "--every-year"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--csv", "a", "--csv", "b"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--pdf"}, parsed));
    EXPECT_FALSE(Parse({"a.run", "--csv", ""}, parsed));
}

}  // namespace
}  // namespace mk::cli
