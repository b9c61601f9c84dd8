#include "core/text/file_save.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "core/host/recording_messages.h"
#include "core/text/paths.h"
#include "support/test_files.h"

namespace mk {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<std::string> EntryNames(const std::string& folder) {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteNewFile, TakesTheFirstNameNoEntryHoldsAndReplacesNothing) {
    TempDir dir;
    const std::string folder = dir.path() + "/";
    WriteBytes(folder + "a", "old a");
    std::filesystem::create_directory(folder + "b");
    std::filesystem::create_symlink(folder + "nowhere", folder + "c");  // dangling
    std::string written;
    EXPECT_EQ(
        WriteNewFile({folder + "a", folder + "b", folder + "c", folder + "d"}, "new", written),
        NewFileResult::Written);
    EXPECT_EQ(written, folder + "d");
    EXPECT_EQ(ReadBytes(folder + "d"), "new");
    EXPECT_EQ(ReadBytes(folder + "a"), "old a");
    EXPECT_FALSE(std::filesystem::exists(folder + "nowhere"));

    // Every name taken: nothing written, nothing left behind.
    EXPECT_EQ(WriteNewFile({folder + "a", folder + "d"}, "more", written), NewFileResult::AllTaken);
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(ReadBytes(folder + "d"), "new");
    EXPECT_EQ(EntryNames(dir.path()), (std::vector<std::string>{"a", "b", "c", "d"}));

    EXPECT_EQ(WriteNewFile({folder + "missing/x"}, "x", written), NewFileResult::CannotWrite);
}

TEST(WriteFileAtomically, ReplacesWholeAndKeepsThePermissions) {
    TempDir dir;
    const std::string path = dir.File("t.prm");
    WriteBytes(path, std::string(5000, 'x'));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(path, "short"));
    EXPECT_EQ(ReadBytes(path), "short");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(EntryNames(dir.path()), std::vector<std::string>{"t.prm"});
}

TEST(AtomicFileWriter, StreamedFileAppearsOnlyOnCommit) {
    TempDir dir;
    const std::string path = dir.File("out.csv");
    WriteBytes(path, "old");
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        EXPECT_TRUE(writer.Write("a,"));
        EXPECT_TRUE(writer.Write("b\n"));
        // Until the commit the old file is what a reader sees.
        EXPECT_EQ(ReadBytes(path), "old");
        EXPECT_EQ(EntryNames(dir.path()).size(), 2u);
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(ReadBytes(path), "a,b\n");
    EXPECT_EQ(EntryNames(dir.path()).size(), 1u);

    // Abandoned half way (an error, an exception): the old file stays and
    // the temporary file goes.
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        writer.Write("half");
    }
    EXPECT_EQ(ReadBytes(path), "a,b\n");
    EXPECT_EQ(EntryNames(dir.path()).size(), 1u);

    std::filesystem::create_directory(dir.File("sub"));
    AtomicFileWriter intoFolder;
    ASSERT_TRUE(intoFolder.Open(dir.File("sub")));
    EXPECT_FALSE(intoFolder.Commit());
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("sub")));
    AtomicFileWriter nowhere;
    EXPECT_FALSE(nowhere.Open(dir.File("missing/x.csv")));
    EXPECT_FALSE(nowhere.Write("x"));
    EXPECT_FALSE(nowhere.Commit());
    EXPECT_EQ(EntryNames(dir.path()).size(), 2u);
}

TEST(TemporaryFiles, OnlyThoseOfEndedWritersAreSwept) {
    TempDir dir;
    const std::string folder = dir.path() + "/";
    const std::string stale =
        folder + std::string(kTempFilePrefix) + "1-0-0" + std::string(kTempFileSuffix);
    const std::string live =
        folder + std::string(kTempFilePrefix) + "2-0-0" + std::string(kTempFileSuffix);
    WriteBytes(stale, "half a tab");
    WriteBytes(live, "being written");
    WriteBytes(folder + "YIELD_AA.150.tmp", "someone else's");
    WriteBytes(folder + std::string(kTempFilePrefix) + "notes", "not ours either");
    // A writer holds its lock until its file has its final name.
    const int fd = ::open(live.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    // Any save into the folder sweeps it.
    std::string written;
    ASSERT_EQ(WriteNewFile({folder + "YIELD_AA.PAR"}, "p", written), NewFileResult::Written);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_EQ(ReadBytes(live), "being written");
    EXPECT_TRUE(std::filesystem::exists(folder + "YIELD_AA.150.tmp"));
    EXPECT_TRUE(std::filesystem::exists(folder + std::string(kTempFilePrefix) + "notes"));

    ::close(fd);  // the writer died
    ASSERT_TRUE(WriteFileAtomically(folder + "x.prm", "x"));
    EXPECT_FALSE(std::filesystem::exists(live));
}

TEST(SaveNames, ATakenNameMovesOnThroughTheFamilyAndWrapsAround) {
    const auto names = SaveNameCandidates("/d/YIELD_ZY.150");
    ASSERT_EQ(names.size(), 676u);
    EXPECT_EQ(names[0], "/d/YIELD_ZY.150");
    EXPECT_EQ(names[1], "/d/YIELD_ZZ.150");
    EXPECT_EQ(names[2], "/d/YIELD_AA.150");
    EXPECT_EQ(names[675], "/d/YIELD_ZX.150");
    EXPECT_EQ(SaveNameCandidates("/d/survey.dat"), std::vector<std::string>{"/d/survey.dat"});

    TempDir dir;
    const std::string folder = dir.path() + "/";
    RecordingMessages messages;
    const std::string chosen = MakeSaveName(folder, ".CHK", messages);
    ASSERT_EQ(chosen, folder + "YIELD_AA.CHK");
    // Another program saves under the chosen name first.
    WriteBytes(chosen, "theirs");
    EXPECT_EQ(SaveUnderFreeName(chosen, "林\r\n", messages), folder + "YIELD_AB.CHK");
    EXPECT_EQ(ReadBytes(chosen), "theirs");
    EXPECT_EQ(ReadBytes(folder + "YIELD_AB.CHK"), "\x97\xd1\r\n");
    EXPECT_TRUE(messages.shown().empty());

    // Text with no code page 932 form and a folder that is gone are write
    // failures naming the chosen path.
    EXPECT_EQ(SaveUnderFreeName(folder + "YIELD_AC.CHK", "😀", messages), "");
    EXPECT_EQ(SaveUnderFreeName(folder + "gone/YIELD_AA.CHK", "x", messages), "");
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text,
              "ファイルに書き込めません。\r\n" + folder + "gone/YIELD_AA.CHK");
}

TEST(SaveNames, AFullFamilyIsRefusedWithItsMessage) {
    TempDir dir;
    const std::string folder = dir.path() + "/";
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b = 'A'; b <= 'Z'; ++b) WriteBytes(folder + "YIELD_" + a + b + ".HNP", "");
    RecordingMessages messages;
    EXPECT_EQ(SaveUnderFreeName(folder + "YIELD_QQ.HNP", "x", messages), "");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "作成可能なファイル名がありません");
    EXPECT_EQ(messages.shown()[0].title, "SAVENAME Error");
    EXPECT_EQ(EntryNames(dir.path()).size(), 676u);
}

}  // namespace
}  // namespace mk
