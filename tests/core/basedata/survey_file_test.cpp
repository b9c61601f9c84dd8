#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>

#include "core/basedata/survey_data.h"
#include "core/host/recording_messages.h"
#include "support/peak_memory.h"
#include "support/test_files.h"

namespace mk {
namespace {

using test::ReadBytes;
using test::Sjis;
using test::TempDir;
using test::WriteBytes;

const std::string kRule = "───────────────────────────────────────";
const std::string kHeading =
    "  番号   PLOT  上層樹高  立木本数   幹材積   断面積  平均直径 平均樹高  林齢";

std::string Title(const std::string& count) {
    return "                 収穫予測表作成のための基礎資料   資料数：" + count;
}

// A DAT file in its stored bytes from a title count and record lines.
std::string DatBytes(const std::string& count, const std::vector<std::string>& records) {
    std::string text = Title(count) + "\r\n" + kRule + "\r\n" + kHeading + "\r\n" + kRule + "\r\n";
    for (const auto& line : records) text += line + "\r\n";
    text += kRule + "\r\n";
    return Sjis(text);
}

SurveyRecord Record(int number, int plot, double h, int n, double v, double g, double d, double hm,
                    int age) {
    SurveyRecord r;
    r.number = number;
    r.plot = plot;
    r.dominantHeight = h;
    r.stemsPerHa = n;
    r.stemVolume = v;
    r.basalArea = g;
    r.meanDiameter = d;
    r.meanHeight = hm;
    r.standAge = age;
    r.confirmed = true;
    return r;
}

SurveyDataSet SampleSet() {
    SurveyDataSet set;
    set.records = {Record(1, 101, 12.34, 2600, 234.56, 39.44, 14.65, 11.35, 24),
                   Record(2, 102, 23.06, 1188, 540.3, 52.8, 24.0, 21.2, 45),
                   Record(3, 7, 8.0, 3000, 0.0, 0.0, 0.0, 0.0, 12)};
    set.count = 3;
    return set;
}

TEST(SurveyFileWrite, ExactBytesOfTheWholeFile) {
    SurveyDataSet set = SampleSet();
    const std::string expected =
        Sjis(Title("   3") + "\r\n" + kRule + "\r\n" + kHeading + "\r\n" + kRule + "\r\n" +
             "    1    101      12.3      2600    234.6     39.4      14.7     11.4    24\r\n"
             "    2    102      23.1      1188    540.3     52.8      24.0     21.2    45\r\n"
             "    3      7       8.0      3000      0.0      0.0       0.0      0.0    12\r\n" +
             kRule + "\r\n");
    TempDir dir;
    RecordingMessages messages;
    set.modified = true;
    ASSERT_TRUE(WriteSurveyFile(dir.File("a.dat"), set, messages));
    EXPECT_FALSE(set.modified);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(ReadBytes(dir.File("a.dat")), expected);
}

TEST(SurveyFileWrite, WideValuesPushTheLineInsteadOfBeingCut) {
    SurveyRecord r = Record(123456, 1234567, 1234567.8, 1234567890, 1.0, 2.0, 3.0, 4.0, 123456);
    EXPECT_EQ(FormatSurveyLine(r),
              "123456  1234567 1234567.8 1234567890      1.0      2.0       3.0      4.0 123456");
    SurveyDataSet set;
    set.count = 12345;
    EXPECT_EQ(FormatSurveyText(set).substr(0, Title("12345").size()), Title("12345"));
}

TEST(SurveyFileRoundTrip, HugeValuesAreWrittenSoThatTheyReadBack) {
    SurveyDataSet set = SampleSet();
    set.records[0].dominantHeight = std::numeric_limits<double>::max();
    set.records[1].stemVolume = -std::numeric_limits<double>::max();
    set.records[2].basalArea = 1234567890123456789.0;
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(WriteSurveyFile(dir.File("a.dat"), set, messages));
    SurveyDataSet read;
    ASSERT_TRUE(ReadSurveyFile(dir.File("a.dat"), read, messages));
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.records[0].dominantHeight, set.records[0].dominantHeight);
    EXPECT_EQ(read.records[1].stemVolume, set.records[1].stemVolume);
    EXPECT_EQ(read.records[2].basalArea, set.records[2].basalArea);
    // Below 1E+15 the one-decimal column stays as it always was.
    EXPECT_EQ(read.records[0].stemVolume, 234.6);
}

TEST(SurveyFileRoundTrip, RealsRoundedAndNumbersRenumbered) {
    SurveyDataSet set = SampleSet();
    set.records[0].number = 40;  // stored numbers do not survive: position counts
    set.records[2].number = 7;
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(WriteSurveyFile(dir.File("a.dat"), set, messages));
    SurveyDataSet read;
    ASSERT_TRUE(ReadSurveyFile(dir.File("a.dat"), read, messages));
    ASSERT_EQ(read.count, 3);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.records[0], Record(1, 101, 12.3, 2600, 234.6, 39.4, 14.7, 11.4, 24));
    EXPECT_EQ(read.records[1], Record(2, 102, 23.1, 1188, 540.3, 52.8, 24.0, 21.2, 45));
    EXPECT_EQ(read.records[2], Record(3, 7, 8.0, 3000, 0.0, 0.0, 0.0, 0.0, 12));
    EXPECT_EQ(read.filePath, dir.File("a.dat"));
    EXPECT_FALSE(read.modified);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(SurveyFileRead, HandEditedLinesAreReadByTheOrderOfTheirPieces) {
    const std::string bytes =
        DatBytes("2", {"   9   101   12.5  1500.5  100  20   15  11   20.5  extra pieces",
                       "1 102 14 1501.5 120.25 22 16 12 21.5"});
    SurveyReadOutcome outcome = ParseSurveyBytes(bytes);
    ASSERT_TRUE(outcome.ok);
    ASSERT_EQ(outcome.records.size(), 2u);
    EXPECT_EQ(outcome.records[0].number, 1);
    EXPECT_EQ(outcome.records[0].stemsPerHa, 1500);  // halves to even
    EXPECT_EQ(outcome.records[1].stemsPerHa, 1502);
    EXPECT_EQ(outcome.records[0].standAge, 20);
    EXPECT_EQ(outcome.records[1].standAge, 22);
    EXPECT_EQ(outcome.records[1].number, 2);
    EXPECT_DOUBLE_EQ(outcome.records[1].stemVolume, 120.25);
    EXPECT_TRUE(outcome.records[1].confirmed);
}

TEST(SurveyFileRead, TitleWithAnyLeadingBlanksReads) {
    std::string text = std::string("収穫予測表作成のための基礎資料   資料数：1\r\n") + kRule +
                       "\r\n" + kHeading + "\r\n" + kRule + "\r\n1 1 10 1000 1 1 1 1 10\r\n";
    EXPECT_TRUE(ParseSurveyBytes(Sjis(text)).ok);
    EXPECT_TRUE(ParseSurveyBytes(Sjis("  " + text)).ok);
    EXPECT_TRUE(ParseSurveyBytes(Sjis("                              " + text)).ok);
    // A file without its closing rule still holds all its records.
    EXPECT_EQ(ParseSurveyBytes(Sjis(text)).records.size(), 1u);
}

struct Malformed {
    const char* name;
    std::string bytes;
    std::string text;  // expected message text; empty: refused silently
};

TEST(SurveyFileRead, MalformedFilesAreRefusedAndTheSetKept) {
    const std::string good = "1 1 10 1000 1 1 1 1 10";
    const std::string format = "データの形式が違います。これは読めません。";
    std::vector<Malformed> cases = {
        {"wrong title", Sjis("収穫予測表\r\n" + kRule + "\r\n"), format},
        {"empty file", "", format},
        {"count 0", DatBytes("   0", {}), "読み込む資料がありません。（資料数：0）"},
        {"negative count", DatBytes("  -2", {}), "読み込む資料がありません。（資料数：-2）"},
        {"count not a number", DatBytes("  x2", {good}), format + "\r\n1行目"},
        {"non-numeric piece", DatBytes("2", {good, "2 1 10 1000 1 abc 1 1 10"}),
         format + "\r\n6行目"},
        {"short line", DatBytes("2", {good, "2 1 10 1000 1 1 1 1"}), format + "\r\n6行目"},
        {"fewer records than the count",
         Sjis(Title("   3") + "\r\n" + kRule + "\r\n" + kHeading + "\r\n" + kRule + "\r\n" + good +
              "\r\n"),
         format + "\r\n6行目"},
        {"a count far beyond the lines", DatBytes("2000000000", {good}), format + "\r\n6行目"},
        {"headings cut off", Sjis(Title("   1") + "\r\n" + kRule + "\r\n"), format + "\r\n3行目"},
        {"invalid code page 932 in a record",
         DatBytes("2", {good}).substr(0, DatBytes("2", {good}).size() - Sjis(kRule).size() - 2) +
             "2 1 10 \x81\x7f 1 1 1 1 10\r\n",
         format + "\r\n6行目"},
        {"invalid code page 932 in the title", "\x82\xff\x82\r\n", format},
        {"stem number beyond 32 bits", DatBytes("1", {"1 1 10 3000000000 1 1 1 1 10"}),
         format + "\r\n5行目"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir.File("bad.dat"), c.bytes);
        SurveyDataSet set = SampleSet();
        set.filePath = "keep.dat";
        set.modified = true;
        RecordingMessages messages;
        EXPECT_FALSE(ReadSurveyFile(dir.File("bad.dat"), set, messages));
        EXPECT_EQ(set.count, 3);
        EXPECT_EQ(set.records, SampleSet().records);
        EXPECT_EQ(set.filePath, "keep.dat");
        EXPECT_TRUE(set.modified);
        if (c.text.empty()) {
            EXPECT_TRUE(messages.shown().empty());
        } else {
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.shown()[0].text, c.text);
            EXPECT_EQ(messages.shown()[0].title, "DATファイル読み込みエラー");
            EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);
        }
    }
}

TEST(SurveyFileRead, EmptyPathReadsNothingAndMissingFileIsReported) {
    SurveyDataSet set;
    RecordingMessages messages;
    EXPECT_FALSE(ReadSurveyFile("", set, messages));
    EXPECT_TRUE(messages.shown().empty());
    TempDir dir;
    EXPECT_FALSE(ReadSurveyFile(dir.File("missing.dat"), set, messages));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "ファイルを開けません。\r\n" + dir.File("missing.dat"));
}

TEST(SurveyFileWrite, FailureIsReportedAndModifiedKept) {
    TempDir dir;
    SurveyDataSet set = SampleSet();
    set.modified = true;
    RecordingMessages messages;
    EXPECT_FALSE(WriteSurveyFile(dir.File("no/such/folder/a.dat"), set, messages));
    EXPECT_TRUE(set.modified);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "杜の暦『構想』");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::None);
    EXPECT_NE(messages.shown()[0].text.find(" ("), std::string::npos);
    EXPECT_EQ(messages.shown()[0].text.back(), ')');
}

TEST(SurveyFileWrite, FailureLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string path = dir.File("a.dat");
    WriteBytes(path, "old");
    ::chmod(dir.path().c_str(), 0500);
    SurveyDataSet set = SampleSet();
    RecordingMessages messages;
    const bool written = WriteSurveyFile(path, set, messages);
    ::chmod(dir.path().c_str(), 0700);
    if (written) GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST(SurveyRecords, NewRecordIsAllZeroAndUnconfirmed) {
    SurveyRecord r = NewSurveyRecord();
    EXPECT_EQ(r, SurveyRecord{});
    EXPECT_FALSE(r.confirmed);
    EXPECT_EQ(r.stemsPerHa, 0);
}

}  // namespace
}  // namespace mk

namespace mk {
namespace {

// Every byte sequence is either a survey set or a refusal: mutated copies of
// a good file never crash the reader nor yield records that break the count.
TEST(SurveyFileRead, MutatedFilesAreReadOrRefusedWhole) {
    std::string good = test::Sjis(
        "                 収穫予測表作成のための基礎資料   資料数：   3\r\n"
        "───────────────────────────────────────\r\n"
        "  番号   PLOT  上層樹高  立木本数   幹材積   断面積  平均直径 平均樹高  林齢\r\n"
        "───────────────────────────────────────\r\n"
        "    1    101      12.3      2600    234.6     39.4      14.7     11.4    24\r\n"
        "    2    102      23.1      1188    540.3     52.8      24.0     21.2    45\r\n"
        "    3      7       8.0      3000      0.0      0.0       0.0      0.0    12\r\n");
    unsigned state = 12345;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7fff;
    };
    const char alphabet[] = {' ', '\r', '\n', '0', '9', '.', '-', 'e', '\x81', '\x9f', '\xff', 'x'};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(next() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t pos = next() % bytes.size();
            switch (next() % 3) {
                case 0:
                    bytes[pos] = alphabet[next() % sizeof alphabet];
                    break;
                case 1:
                    bytes.erase(pos, 1 + next() % 8);
                    break;
                default:
                    bytes.insert(pos, 1, alphabet[next() % sizeof alphabet]);
                    break;
            }
            if (bytes.empty()) bytes = "x";
        }
        SurveyReadOutcome outcome = ParseSurveyBytes(bytes);
        if (outcome.ok) {
            ASSERT_FALSE(outcome.records.empty());
            for (size_t i = 0; i < outcome.records.size(); ++i)
                ASSERT_EQ(outcome.records[i].number, static_cast<int>(i) + 1);
        } else {
            ASSERT_LE(outcome.messages.size(), 1u);
            ASSERT_TRUE(outcome.records.empty());
        }
    }
}

}  // namespace
}  // namespace mk

namespace mk {
namespace {

TEST(SurveyFileRead, NumbersReadAsAFullConversionReadsThem) {
    const char* pieces[] = {"0.1",
                            "12.3",
                            "-7.25",
                            "+3",
                            "1e2",
                            ".5",
                            "5.",
                            "00012",
                            "123456789012.345",
                            "1234567890123456.7",
                            "0.30000000000000004"};
    for (const char* piece : pieces) {
        SCOPED_TRACE(piece);
        std::string line = std::string("1 1 ") + piece + " 1000 " + piece + " 1 1 1 10";
        std::string text =
            "収穫予測表作成のための基礎資料   資料数：1\r\n-\r\n-\r\n-\r\n" + line + "\r\n";
        SurveyReadOutcome outcome = ParseSurveyBytes(test::Sjis(text));
        ASSERT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.records[0].dominantHeight, std::strtod(piece, nullptr));
        EXPECT_EQ(outcome.records[0].stemVolume, std::strtod(piece, nullptr));
    }
}

TEST(SurveyFileRead, HugeJunkIsRefusedInLittleMoreMemoryThanTheFile) {
    // Once about 45 times the file before it was refused. The heading of a
    // real file, with a count no file can hold, in front of each junk.
    TempDir dir;
    const std::string path = dir.File("junk.dat");
    const std::string head =
        Sjis(Title("2000000000") + "\r\n" + kRule + "\r\n" + kHeading + "\r\n" + kRule + "\r\n");
    // Small enough to stay quick, large enough that splitting it all would
    // show.
    constexpr long long kSize = 16LL << 20;
    struct Case {
        const char* what;
        std::string head;
        char fill;
        std::string refusal;
    };
    const std::string format = "データの形式が違います。これは読めません。";
    const Case cases[] = {
        {"empty lines", "", '\n', format},
        {"one endless line", "", '7', format},
        {"empty lines after the heading", head, '\n', format + "\r\n5行目"},
        {"one endless record", head, '7', format + "\r\n5行目"},
        {"records that repeat one piece", head + "1 1 1 1 1 1 1 1 1\r\n", ' ',
         format + "\r\n6行目"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteJunk(path.c_str(), kSize, c.head.c_str(), c.fill);
        SurveyDataSet set;
        RecordingMessages messages;
        bool read = true;
        const auto growth =
            test::PeakMemoryGrowth([&] { read = ReadSurveyFile(path, set, messages); });
        EXPECT_FALSE(read);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, c.refusal);
        EXPECT_EQ(set.count, 0);
        if (growth) {
            EXPECT_LT(*growth, 2 * kSize + (8 << 20)) << *growth;
        }
    }
}

TEST(SurveyFileRead, AFileAboveTheLimitIsRefusedAsTooLarge) {
    TempDir dir;
    const std::string path = dir.File("big.dat");
    WriteBytes(path, "");
    ASSERT_EQ(::truncate(path.c_str(), 100LL << 20), 0);  // sparse
    SurveyDataSet set;
    RecordingMessages messages;
    EXPECT_FALSE(ReadSurveyFile(path, set, messages));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "ファイルが大きすぎて読めません（64MBまで）。\r\n" + path);
    EXPECT_EQ(messages.shown()[0].title, "DATファイル読み込みエラー");
}

TEST(SurveyFileRead, RecordsAreHeldWithoutSpareRoom) {
    // Records are counted before they are kept, so a large survey set is set
    // aside exactly once: no growing list holding it twice over.
    const std::string record =
        "    1      1      12.3      2600    180.5     35.2      13.1     11.0    25";
    const SurveyReadOutcome outcome =
        ParseSurveyBytes(DatBytes("5000", std::vector<std::string>(5000, record)));
    ASSERT_TRUE(outcome.ok);
    ASSERT_EQ(outcome.records.size(), 5000u);
    EXPECT_EQ(outcome.records.capacity(), 5000u);
    EXPECT_EQ(outcome.records.back().number, 5000);
}

}  // namespace
}  // namespace mk
