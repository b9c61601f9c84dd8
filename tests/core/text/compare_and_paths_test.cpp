#include <gtest/gtest.h>

#include <filesystem>

#include "core/host/recording_messages.h"
#include "core/text/paths.h"
#include "core/text/text_compare.h"
#include "support/test_files.h"

namespace mk {
namespace {

TEST(TextEquals, IgnoresCaseWidthAndKanaType) {
    EXPECT_TRUE(TextEquals("ＰＲＭ", "prm"));
    EXPECT_TRUE(TextEquals("ｶﾅ", "カナ"));
    EXPECT_TRUE(TextEquals("カナ", "かな"));
    EXPECT_TRUE(TextEquals("ｶﾅ", "かな"));
    EXPECT_TRUE(TextEquals("ﾊﾟ", "パ"));
    EXPECT_TRUE(TextEquals("ｶﾞｸ", "がく"));
    EXPECT_TRUE(TextEquals("ｳﾞ", "ヴ"));
    EXPECT_TRUE(TextEquals("林分密度管理図パラメータ", "林分密度管理図ﾊﾟﾗﾒｰﾀ"));
    EXPECT_TRUE(TextEquals("ＹＩＥＬＤ＿ａａ", "yield_AA"));
    EXPECT_FALSE(TextEquals("パ", "ハ"));
    EXPECT_FALSE(TextEquals("ﾊﾟ", "バ"));
    EXPECT_FALSE(TextEquals("林分密度管理図パラメータ", "林分密度管理図パラメータ "));
    EXPECT_FALSE(TextEquals("上層樹高生長曲線計算結果", "上層樹高－本数曲線式"));
}

TEST(Paths, NamePartAndFolderPart) {
    EXPECT_EQ(FileNamePart("/data/a.dat"), "a.dat");
    EXPECT_EQ(FileNamePart("a.dat"), "a.dat");
    EXPECT_EQ(FileNamePart("/data/"), "");
    EXPECT_EQ(FolderPart("/data/a.dat"), "/data/");
    EXPECT_EQ(FolderPart("a.dat"), "");
    EXPECT_EQ(FolderPart("C:\\data\\a.dat"), "");  // only "/" separates here
}

TEST(MakeSaveName, FirstFreeNameOfTheFamily) {
    test::TempDir dir;
    RecordingMessages messages;
    std::string folder = dir.path() + "/";
    EXPECT_EQ(MakeSaveName(folder, ".150", messages), folder + "YIELD_AA.150");
    test::WriteBytes(folder + "YIELD_AA.150", "x");
    EXPECT_EQ(MakeSaveName(folder, ".150", messages), folder + "YIELD_AB.150");
    // Suffixes are independent families.
    EXPECT_EQ(MakeSaveName(folder, ".80", messages), folder + "YIELD_AA.80");
    test::WriteBytes(folder + "YIELD_AZ.150", "x");
    test::WriteBytes(folder + "YIELD_AB.150", "x");
    EXPECT_EQ(MakeSaveName(folder, ".150", messages), folder + "YIELD_AC.150");
    EXPECT_TRUE(messages.shown().empty());
}

TEST(MakeSaveName, ExhaustedFamilyIsReported) {
    test::TempDir dir;
    RecordingMessages messages;
    std::string folder = dir.path() + "/";
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b = 'A'; b <= 'Z'; ++b)
            test::WriteBytes(folder + "YIELD_" + a + b + ".CHK", "");
    EXPECT_EQ(MakeSaveName(folder, ".CHK", messages), "");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "作成可能なファイル名がありません");
    EXPECT_EQ(messages.shown()[0].title, "SAVENAME Error");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);
    std::filesystem::remove(folder + "YIELD_ZZ.CHK");
    EXPECT_EQ(MakeSaveName(folder, ".CHK", messages), folder + "YIELD_ZZ.CHK");
}

}  // namespace
}  // namespace mk
