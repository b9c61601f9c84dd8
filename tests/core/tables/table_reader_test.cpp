// Table files read back: every table the batch tool's cases hold is read
// into rows that write out again as the very same lines, and anything else
// is refused at the first line that does not read.

#include "core/tables/table_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/tables/result_report.h"
#include "core/text/text_file.h"
#include "core/yield/table_report.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace mk::test {
namespace {

std::vector<std::string> ExpectedTables() {
    std::vector<std::string> paths;
    for (const char* dir : {"tests/cli/yield_cases", "tests/cli/plan_cases"}) {
        for (const auto& entry : fs::recursive_directory_iterator(SourcePath(dir))) {
            const std::string name = entry.path().filename().string();
            if (name == "expected.150" || name == "expected.160" || name == "expected.80")
                paths.push_back(entry.path().string());
        }
    }
    return paths;
}

std::string RowText(TableKind kind, const TableRow& row) {
    if (kind == TableKind::Volume) return VolumeRow(row.year);
    return row.thinned ? ThinningRow(row.year, row.thinning, row.totalYield)
                       : PlainRow(row.year, row.totalYield);
}

TEST(TableReader, EveryWrittenTableReadsBackIntoRowsThatWriteTheSameLines) {
    const std::vector<std::string> paths = ExpectedTables();
    ASSERT_GE(paths.size(), 20u);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const ReadOutcome<ResultTable> read = ReadTableFile(path);
        ASSERT_TRUE(read.ok()) << (read.messages.empty() ? "" : read.messages[0].text);
        const ResultTable& table = *read.record;
        const TableKind expectedKind = path.ends_with(".150")   ? TableKind::Yield
                                       : path.ends_with(".160") ? TableKind::Plan
                                                                : TableKind::Volume;
        EXPECT_EQ(table.kind, expectedKind);
        std::vector<std::string> written;
        for (const TableBlock& block : TableBlocks(table)) {
            // The body ends with the closing rule.
            written.insert(written.end(), block.body.begin(), block.body.end() - 1);
        }
        ASSERT_EQ(written.size(), table.rows.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            EXPECT_EQ(RowText(table.kind, table.rows[i]), written[i] + "\r\n");
            EXPECT_TRUE(table.rows[i].listed);
        }
    }
}

TEST(TableReader, GroupsAreThePlansAndTheSiteClasses) {
    const auto plan =
        ReadTableFile(SourcePath("tests/cli/plan_cases/mode_b_full_density/expected.160"));
    ASSERT_TRUE(plan.ok());
    EXPECT_EQ(TableBlocks(*plan.record).size(), 5u);
    EXPECT_EQ(plan.record->rows.front().group, 1);
    EXPECT_EQ(plan.record->rows.back().group, 5);

    const auto volume = ReadTableFile(SourcePath("tests/cli/yield_cases/volume_table/expected.80"));
    ASSERT_TRUE(volume.ok());
    const std::vector<TableBlock> blocks = TableBlocks(*volume.record);
    ASSERT_EQ(blocks.size(), 3u);
    for (const TableBlock& block : blocks) {
        EXPECT_EQ(block.heading.size(), 15u);
        for (const std::string& line : block.body) EXPECT_NE(line, "\f");
    }
    EXPECT_EQ(volume.record->rows.back().group, 3);
}

// Lines of a file as read, to be changed one at a time.
std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    for (const TextLine& line : DecodeTextLines(ReadBytes(path))) lines.push_back(line.text);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

TEST(TableReader, RefusesAnythingElseNamingTheLineThatDoesNotRead) {
    // method1_planting: 16 heading lines, then rows, a thinning row among
    // them, and the closing rule.
    const std::vector<std::string> yield =
        FileLines(SourcePath("tests/cli/yield_cases/method1_planting/expected.150"));
    const std::vector<std::string> volume =
        FileLines(SourcePath("tests/cli/yield_cases/volume_table/expected.80"));
    ASSERT_GT(yield.size(), 20u);
    const int last = static_cast<int>(yield.size());
    std::size_t thinningRow = 0;
    for (std::size_t i = 16; i < yield.size(); ++i) {
        if (yield[i].size() == 132 && yield[i][56] != ' ') thinningRow = i;
    }
    ASSERT_NE(thinningRow, 0u);

    // The first row of the first site class.
    const std::size_t volumeRow = static_cast<std::size_t>(
        std::find_if(volume.begin(), volume.end(),
                     [](const std::string& line) { return line.starts_with("   1   "); }) -
        volume.begin());
    ASSERT_LT(volumeRow, volume.size());

    struct Case {
        const char* what;
        std::function<std::string()> bytes;
        int line;
    };
    auto changed = [](std::vector<std::string> lines, std::size_t at, std::string to) {
        lines[at] = std::move(to);
        return Joined(lines);
    };
    const std::vector<Case> cases = {
        {"empty file", [] { return std::string(); }, 1},
        {"a parameter file", [] { return Sjis("sugi\r\n2\r\n1\r\n"); }, 1},
        {"title changed", [&] { return Sjis(changed(yield, 0, "林分収穫予測表")); }, 1},
        {"column heading changed", [&] { return Sjis(changed(yield, 8, "  林")); }, 9},
        {"units changed",
         [&] { return Sjis(changed(yield, 14, yield[14].substr(0, yield[14].size() - 1))); }, 15},
        {"a figure with two decimals",
         [&] { return Sjis(changed(yield, 16, "   5   2.73  3.7  3000")); }, 17},
        {"a plain row whose ages differ",
         [&] {
             std::string row = yield[17];
             row.back() = row.back() == '0' ? '1' : '0';
             return Sjis(changed(yield, 17, row));
         },
         18},
        {"a thinning row cut short",
         [&] { return Sjis(changed(yield, thinningRow, yield[thinningRow].substr(0, 100))); },
         static_cast<int>(thinningRow) + 1},
        {"letters in a row", [&] { return Sjis(changed(yield, 18, "   x")); }, 19},
        {"a figure too long for any number",
         [&] {
             const std::string& row = yield[16];
             return Sjis(changed(yield, 16,
                                 row.substr(0, 4) + std::string(400, '9') + ".1" + row.substr(10)));
         },
         17},
        {"every figure of a thinning row run into the next, the line cut off",
         [&] {
             // Each place where two runs meet could be split anywhere: the
             // reader must not try every split of every run against all
             // the others.
             std::string row;
             for (int decimals :
                  {0, 1, 1, 0, 1, 1, 1, 1, 2, 1, 0, 0, 1, 1, 0, 1, 1, 0, 1, 1, 2, 1, 0}) {
                 row += std::string(40, '1');
                 if (decimals > 0)
                     row += "." + std::string(static_cast<std::size_t>(decimals), '1');
             }
             return Sjis(changed(yield, 16, row + "x"));
         },
         17},
        {"an age past any the program computes, at both ends of a row",
         [&] {
             const std::string& row = yield[16];
             return Sjis(
                 changed(yield, 16, "12345678901" + row.substr(4, row.size() - 8) + "12345678901"));
         },
         17},
        {"an age too large for a whole number in a stand volume row",
         [&] {
             return Sjis(changed(volume, volumeRow,
                                 "48" + std::string(125, '4') + volume[volumeRow].substr(8)));
         },
         static_cast<int>(volumeRow) + 1},
        {"a row of a million digits",
         [&] { return Sjis(changed(yield, 16, std::string(1'000'000, '1'))); }, 17},
        {"no closing rule",
         [&] {
             return Sjis(Joined({yield.begin(), yield.end() - 1}));
         },
         last},
        {"something after the table",
         [&] {
             std::vector<std::string> more = yield;
             more.push_back("end");
             return Sjis(Joined(more));
         },
         last + 1},
        {"bytes that are not Shift_JIS",
         [&] {
             std::string bytes = Sjis(Joined(yield));
             const std::size_t at = bytes.find("\r\n   5") + 2;
             bytes[at] = '\x81';
             bytes[at + 1] = '\x7F';
             return bytes;
         },
         17},
        {"a site class without its form feed",
         [&] {
             std::vector<std::string> lines = volume;
             lines.erase(std::find(lines.begin(), lines.end(), "\f"));
             return Sjis(Joined(lines));
         },
         static_cast<int>(std::find(volume.begin(), volume.end(), "\f") - volume.begin()) + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadOutcome<ResultTable> read = ParseTableFile(c.bytes(), "x.150");
        EXPECT_FALSE(read.ok());
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].title, "表ファイル読み込みエラー");
        EXPECT_EQ(read.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(read.messages[0].text, "表ファイルの形式が違います。これは読めません。\r\n" +
                                             std::to_string(c.line) + "行目");
    }
}

TEST(TableReader, AFileThatCannotBeReadIsNamed) {
    const ReadOutcome<ResultTable> read = ReadTableFile("/nonexistent/YIELD_AA.150");
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "ファイルを開けません。\r\n/nonexistent/YIELD_AA.150");
}

}  // namespace
}  // namespace mk::test
