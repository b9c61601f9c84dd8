#pragma once
// A finished table as figures rather than text: every row of a yield, plan
// or stand volume table at the precision the simulation computed it, beside
// the text of the table file. The CSV, the report and the reopened-table
// window all work from this record.

#include <string>
#include <vector>

#include "core/yield/table_report.h"
#include "core/yield/year_arrays.h"

namespace mk {

enum class TableKind { Yield, Plan, Volume };

struct TableRow {
    // The plan (1..5) of a plan table, the site class (1 上, 2 中, 3 下) of a
    // stand volume table, 1 in a yield table.
    int group = 1;
    // The table file shows this row; the other simulated years are kept
    // for an export of every year.
    bool listed = true;
    // A thinning was made this year: the thinning columns hold figures.
    bool thinned = false;
    YearRowValues year;
    ThinningBookkeeping thinning;
    double totalYield = 0;  // not shown in a stand volume table
};

struct ResultTable {
    TableKind kind = TableKind::Yield;
    std::string path;                // the table file
    std::vector<std::string> lines;  // its lines, UTF-8, without line ends
    std::vector<TableRow> rows;      // in the order of the file
    bool Empty() const { return lines.empty(); }
};

// Splits table text (lines ending in CR LF) into its lines.
std::vector<std::string> SplitTableLines(const std::string& text);

}  // namespace mk
