#pragma once
// A table as CSV for a spreadsheet: UTF-8 with a byte-order mark (so that
// a spreadsheet on a Japanese system does not take it for Shift_JIS), one
// header row, one record per row, fields quoted where RFC 4180 needs it,
// records ending in CR LF. Figures are written at the precision they were
// computed (the shortest text that reads back as the same number); the
// table file stays the rounded record.

#include <string>

#include "core/text/csv_field.h"
#include "core/yield/result_table.h"

namespace mk {

class Messages;

// The shortest decimal text that reads back as exactly value ("0" for a
// negative zero, empty for a value that is not finite).
std::string ExactNumberText(double value);

// The whole CSV text, byte-order mark included.
std::string TableCsv(const ResultTable& table, bool everyYear);

// Writes the CSV whole or not at all; a failure is reported as a write
// error and false returned.
bool WriteTableCsv(const std::string& path, const ResultTable& table, bool everyYear,
                   Messages& messages);

}  // namespace mk
