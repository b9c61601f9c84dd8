// morikoyomi-cli show TABLEFILE [--csv FILE] [--pdf FILE]: a yield (.150),
// plan (.160) or stand volume (.80) table the program wrote, read back and
// printed as CSV on standard output, or saved as a CSV file or a PDF
// report.

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli/command_registry.h"
#include "core/tables/result_report.h"
#include "core/tables/table_csv.h"
#include "core/tables/table_reader.h"
#include "render/report_pages.h"

namespace mk::cli {
namespace {

constexpr const char* kUsage = "show TABLEFILE [--csv FILE] [--pdf FILE]";
// A spreadsheet reading a file needs the byte-order mark; a terminal or a
// pipe does not want it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct ShowArgs {
    std::string table;
    std::string csv;
    std::string pdf;
};

bool ParseShowArgs(const std::vector<std::string>& args, ShowArgs& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string* value = nullptr;
        if (args[i] == "--csv") value = &parsed.csv;
        if (args[i] == "--pdf") value = &parsed.pdf;
        if (value != nullptr) {
            if (i + 1 >= args.size() || !value->empty() || args[i + 1].empty()) return false;
            *value = args[++i];
        } else if (args[i].empty() || (args[i][0] == '-' && args[i] != "-") ||
                   !parsed.table.empty()) {
            return false;
        } else {
            parsed.table = args[i];
        }
    }
    return !parsed.table.empty();
}

int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ShowArgs parsed;
    if (!ParseShowArgs(args, parsed)) {
        err << "usage: morikoyomi-cli " << kUsage << "\n";
        return 2;
    }
    CliMessages messages(err);
    const ReadOutcome<ResultTable> read = ReadTableFile(parsed.table);
    ShowFileMessages(read.messages, messages);
    if (!read.ok()) return 1;
    const ResultTable& table = *read.record;
    if (parsed.csv.empty() && parsed.pdf.empty()) {
        std::string csv = TableCsv(table, false);
        if (csv.starts_with(kByteOrderMark)) csv.erase(0, kByteOrderMark.size());
        out << csv;
        return 0;
    }
    if (!parsed.csv.empty()) {
        if (!WriteTableCsv(parsed.csv, table, false, messages)) return 1;
        out << parsed.csv << "\n";
    }
    if (!parsed.pdf.empty()) {
        if (!WriteReportPdf(parsed.pdf, ReopenedTableReport(table, ReportDateText()), messages))
            return 1;
        out << parsed.pdf << "\n";
    }
    return 0;
}

constexpr const char* kHelp =
    "Reads back a table the program wrote (yield .150, plan .160, stand volume .80)\n"
    "and prints it as CSV on standard output; a file that is not such a table is\n"
    "refused with the number of the line that does not read.\n"
    "--csv FILE     writes the CSV (UTF-8 with a byte-order mark) instead\n"
    "--pdf FILE     writes the A4 report of the table";

const CommandRegistrar kRegistrar("show", kUsage, RunShow, kHelp);

}  // namespace
}  // namespace mk::cli
