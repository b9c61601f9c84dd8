#include "core/yield/result_table.h"

#include "core/yield/table_calc.h"

namespace mk {

std::vector<std::string> SplitTableLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

ResultTable FinishedTable(TableFile file, std::string writtenPath) {
    ResultTable table;
    table.kind = file.kind;
    table.path = std::move(writtenPath);
    table.lines = SplitTableLines(file.text);
    table.rows = std::move(file.rows);
    return table;
}

}  // namespace mk
