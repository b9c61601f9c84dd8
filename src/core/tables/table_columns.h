#pragma once
// The columns of a table as a spreadsheet or a grid shows them: one header
// with the name and unit of each column as the table heading gives it, and
// per row one cell per column. The age that the text table repeats at the
// end of a row is shown once.

#include <string>
#include <vector>

#include "core/yield/result_table.h"

namespace mk {

struct TableColumn {
    std::string name;     // "上層樹高(m)"
    std::string pattern;  // how the table file rounds it ("##0.0"); empty for text
};

struct TableCell {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    std::string text;
};

std::vector<TableColumn> TableColumns(TableKind kind);

// The cells of one row, in the order of TableColumns: a plain row leaves
// the thinning columns empty.
std::vector<TableCell> TableRowCells(TableKind kind, const TableRow& row);

// The rows an export shows: those of the table file, or every simulated
// year when everyYear is set.
std::vector<const TableRow*> ExportedRows(const ResultTable& table, bool everyYear);

// A cell as the table file shows it (rounded with the column's pattern).
std::string RoundedCellText(const TableCell& cell, const TableColumn& column);

// Rows and columns as tab-separated text that a spreadsheet pastes into
// cells: the header of the chosen columns, then the chosen rows (indices
// into ExportedRows(table, false)), figures rounded as the table shows
// them, lines ending in LF.
std::string TableTsv(const ResultTable& table, const std::vector<int>& rows,
                     const std::vector<int>& columns);

}  // namespace mk
