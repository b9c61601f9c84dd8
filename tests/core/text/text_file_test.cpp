#include "core/text/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/text/cp932.h"
#include "support/test_files.h"

namespace mk {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(Cp932, CharactersTheProgramWritesRoundTrip) {
    const char* samples[] = {"─", "～", "－", "｜", "ﾌｧｲﾙ", "ｷｬﾝｾﾙ", "林分密度管理図パラメータ",
                             "上層樹高－本数曲線式", "ヘクタ｜ルあたり幹材積", "㎝", "（最適曲線）",
                             "注  意", "要検討", "作成可能なファイル名がありません", "\\", "~"};
    for (const char* s : samples) {
        auto bytes = Utf8ToCp932(s);
        ASSERT_TRUE(bytes.has_value()) << s;
        EXPECT_EQ(Cp932ToUtf8(*bytes), std::string(s)) << s;
    }
    EXPECT_EQ(*Utf8ToCp932("─"), "\x84\x9f");
    EXPECT_EQ(*Utf8ToCp932("～"), "\x81\x60");
    EXPECT_EQ(*Utf8ToCp932("－"), "\x81\x7c");
    EXPECT_EQ(*Utf8ToCp932("｜"), "\x81\x62");
    EXPECT_EQ(*Utf8ToCp932("ﾌ"), "\xcc");
}

TEST(Cp932, RefusesWhatItCannotRepresent) {
    EXPECT_FALSE(Cp932ToUtf8("\x81").has_value());      // lead byte alone
    EXPECT_FALSE(Cp932ToUtf8("ab\x82\x20").has_value());  // bad trail byte
    EXPECT_FALSE(Utf8ToCp932("😀").has_value());
    EXPECT_FALSE(Utf8ToCp932("\xff").has_value());      // not UTF-8
}

TEST(DecodeTextLines, LineEndsAndInvalidLines) {
    auto lines = DecodeTextLines("a\r\nb\nc");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "a");
    EXPECT_EQ(lines[1].text, "b");
    EXPECT_EQ(lines[2].text, "c");

    EXPECT_EQ(DecodeTextLines("a\r\n").size(), 1u);
    EXPECT_EQ(DecodeTextLines("").size(), 0u);
    EXPECT_EQ(DecodeTextLines("\r\n\r\n").size(), 2u);

    auto mixed = DecodeTextLines("ok\r\n\x81\r\n\x97\xd1");
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_TRUE(mixed[0].valid);
    EXPECT_FALSE(mixed[1].valid);
    EXPECT_TRUE(mixed[2].valid);
    EXPECT_EQ(mixed[2].text, "林");
}

TEST(TextFile, WritesCp932WithCrLfAndReadsItBack) {
    TempDir dir;
    std::string path = dir.File("t.txt");
    ASSERT_EQ(WriteTextLines(path, {"林分密度管理図パラメータ", "1", "─"}), TextFileError::None);
    EXPECT_EQ(ReadBytes(path), test::Sjis("林分密度管理図パラメータ") + "\r\n1\r\n\x84\x9f\r\n");
    auto content = ReadTextFile(path);
    ASSERT_TRUE(content.ok());
    ASSERT_EQ(content.lines.size(), 3u);
    EXPECT_EQ(content.lines[2].text, "─");
}

TEST(TextFile, FailedWritesLeaveTheOldFile) {
    TempDir dir;
    std::string path = dir.File("keep.txt");
    WriteBytes(path, "old");
    // A character with no code page 932 form: nothing is written.
    EXPECT_EQ(WriteCp932File(path, "😀\r\n"), TextFileError::NotEncodable);
    EXPECT_EQ(ReadBytes(path), "old");
    // A folder in the way of the target.
    std::filesystem::create_directory(dir.File("sub"));
    EXPECT_EQ(WriteCp932File(dir.File("sub"), "x"), TextFileError::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("sub")));
    EXPECT_EQ(WriteCp932File(dir.File("missing/x.txt"), "x"), TextFileError::CannotWrite);
    EXPECT_EQ(WriteCp932File("", "x"), TextFileError::CannotWrite);
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2);
}

TEST(TextFile, UnreadablePathsAreRefusals) {
    TempDir dir;
    EXPECT_EQ(ReadTextFile("").error, TextFileError::CannotOpen);
    EXPECT_EQ(ReadTextFile(dir.File("none.prm")).error, TextFileError::CannotOpen);
    EXPECT_EQ(ReadTextFile(dir.path()).error, TextFileError::CannotOpen);
    WriteBytes(dir.File("empty"), "");
    auto empty = ReadTextFile(dir.File("empty"));
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.lines.empty());
}

TEST(TextFile, ReplacesAnExistingFileWhole) {
    TempDir dir;
    std::string path = dir.File("t.150");
    WriteBytes(path, std::string(10000, 'x'));
    ASSERT_EQ(WriteCp932File(path, "短い\r\n"), TextFileError::None);
    EXPECT_EQ(ReadBytes(path), test::Sjis("短い") + "\r\n");
}

}  // namespace
}  // namespace mk
