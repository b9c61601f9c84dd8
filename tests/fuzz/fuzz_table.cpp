// Table file reader (.150, .160, .80 read back): a refusal names a line of
// the file, an accepted table's rows are consistent, its CSV holds one
// record per row, and its rows written out again read back to the same
// figures.

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/tables/result_report.h"
#include "core/tables/table_csv.h"
#include "core/tables/table_reader.h"
#include "core/text/cp932.h"
#include "core/text/text_file.h"
#include "core/yield/table_report.h"
#include "fuzz_support.h"

namespace {

using namespace mk;

// Records of a CSV text: line ends outside quotes.
std::size_t CsvRecords(const std::string& csv) {
    std::size_t records = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"') quoted = !quoted;
        if (!quoted && csv[i] == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') ++records;
    }
    return records;
}

std::string RowText(TableKind kind, const TableRow& row) {
    if (kind == TableKind::Volume) return VolumeRow(row.year);
    return row.thinned ? ThinningRow(row.year, row.thinning, row.totalYield)
                       : PlainRow(row.year, row.totalYield);
}

std::vector<double> Figures(const TableRow& row) {
    const YearRowValues& y = row.year;
    const ThinningBookkeeping& t = row.thinning;
    return {static_cast<double>(y.age),
            y.height,
            y.dbh,
            y.stems,
            y.basalArea,
            y.volume,
            y.growth,
            y.meanGrowth,
            y.ry,
            t.ThinnedDbh,
            t.StemsThinned,
            t.StemThinningRate,
            t.BasalAreaThinned,
            t.VolumeThinned,
            t.VolumeThinningRate,
            t.CumulativeThinnedVolume,
            t.DbhAfter,
            t.StemsAfter,
            t.BasalAreaAfter,
            t.VolumeAfter,
            t.RyAfter,
            row.totalYield};
}

void CheckRows(const ResultTable& table) {
    int lastGroup = 1;
    const int maxGroup = table.kind == TableKind::Yield ? 1 : table.kind == TableKind::Plan ? 5 : 3;
    for (const TableRow& row : table.rows) {
        fuzz::Require(row.listed, "every row read from a file is listed");
        fuzz::Require(row.group >= lastGroup && row.group <= maxGroup,
                      "groups ascend within the kind's range");
        lastGroup = row.group;
        fuzz::Require(table.kind != TableKind::Volume || !row.thinned,
                      "a stand volume table has no thinning rows");
        for (double figure : Figures(row)) {
            fuzz::Require(std::isfinite(figure), "every figure read is finite");
        }
    }
    fuzz::Require(CsvRecords(TableCsv(table, false)) == table.rows.size() + 1,
                  "the CSV of the listed rows has a record per row and the header");
    fuzz::Require(CsvRecords(TableCsv(table, true)) == table.rows.size() + 1,
                  "the CSV of every year has a record per row and the header");
}

// The table written again from its rows: the headings as read, every row
// from its figures. Only when every row fits its columns: a figure wider
// than its field runs into the next one, and two such figures side by side
// cannot be told apart by any reader.
void CheckRoundTrip(const ResultTable& table) {
    const std::size_t width =
        RowText(table.kind, TableRow{}).size();  // the columns of a row that fits
    std::string text;
    std::size_t next = 0;
    for (const TableBlock& block : TableBlocks(table)) {
        for (const std::string& line : block.heading) text += line + "\r\n";
        fuzz::Require(!block.body.empty(), "a table ends with its rule");
        for (std::size_t k = 0; k + 1 < block.body.size(); ++k) {
            fuzz::Require(next < table.rows.size(), "the blocks hold the rows read");
            const std::string row = RowText(table.kind, table.rows[next++]);
            if (row.size() != width) return;
            text += row;
        }
        text += block.body.back() + "\r\n";
        if (table.kind == TableKind::Volume) text += FormFeedLine();
    }
    fuzz::Require(next == table.rows.size(), "the blocks hold the rows read");
    const std::optional<std::string> bytes = Utf8ToCp932(text);
    fuzz::Require(bytes.has_value(), "a table read from code page 932 writes back to it");
    const ReadOutcome<ResultTable> again = ParseTableFile(*bytes, "again.150");
    fuzz::Require(again.ok(), "a table written from the rows read reads again");
    fuzz::Require(again.record->kind == table.kind, "the kind reads back");
    fuzz::Require(again.record->rows.size() == table.rows.size(), "the rows read back");
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const TableRow& a = table.rows[i];
        const TableRow& b = again.record->rows[i];
        fuzz::Require(a.group == b.group && a.thinned == b.thinned, "a row's kind reads back");
        fuzz::Require(Figures(a) == Figures(b), "a row's figures read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const ReadOutcome<ResultTable> read = ParseTableFile(bytes, "fuzz/YIELD_AA.150");
    if (!read.ok()) {
        fuzz::Require(read.messages.size() == 1, "a refusal is one message");
        // The line that does not read is one of the file's, or the one
        // after its last where the file ends too soon.
        const std::size_t lines = DecodeTextLines(bytes).size();
        const std::string& text = read.messages[0].text;
        const std::size_t from = text.rfind('\n') + 1;
        const std::size_t n = std::strtoul(text.c_str() + from, nullptr, 10);
        const bool named =
            n >= 1 && n <= lines + 1 && text == TableFormatErrorText(static_cast<int>(n));
        fuzz::Require(named, "a refusal names a line of the file");
        return 0;
    }
    const ResultTable& table = *read.record;
    fuzz::Require(read.messages.empty(), "an accepted table has no message");
    fuzz::Require(table.path == "fuzz/YIELD_AA.150", "the table keeps its path");
    fuzz::Require(table.lines.size() == DecodeTextLines(bytes).size(),
                  "the table keeps every line");
    CheckRows(table);
    CheckRoundTrip(table);
    return 0;
}
