#include "core/tables/table_csv.h"

#include <charconv>
#include <cmath>

#include "core/tables/table_columns.h"
#include "core/text/file_errors.h"
#include "core/text/file_save.h"
#include "core/text/text_file.h"

namespace mk {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string CellText(const TableCell& cell) {
    switch (cell.kind) {
        case TableCell::Kind::Number:
            return ExactNumberText(cell.number);
        case TableCell::Kind::Text:
            return CsvField(cell.text);
        case TableCell::Kind::Empty:
            break;
    }
    return {};
}

}  // namespace

std::string ExactNumberText(double value) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string TableCsv(const ResultTable& table, bool everyYear) {
    std::string csv(kByteOrderMark);
    const std::vector<TableColumn> columns = TableColumns(table.kind);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) csv += ',';
        csv += CsvField(columns[i].name);
    }
    csv += kCrLf;
    for (const TableRow* row : ExportedRows(table, everyYear)) {
        const std::vector<TableCell> cells = TableRowCells(table.kind, *row);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) csv += ',';
            csv += CellText(cells[i]);
        }
        csv += kCrLf;
    }
    return csv;
}

bool WriteTableCsv(const std::string& path, const ResultTable& table, bool everyYear,
                   Messages& messages) {
    if (WriteFileAtomically(path, TableCsv(table, everyYear))) return true;
    ReportWriteFailure(messages, path);
    return false;
}

}  // namespace mk
