// morikoyomi-cli check DATFILE --pairs X:Y[,X:Y...] [--degree 1|2|3|auto]
// Examines the given pairs of survey quantities in order, as the data check
// window does when the user steps to each, and writes the check report
// next to the survey file.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_messages.h"
#include "cli/command_registry.h"
#include "cli/run_command_args.h"
#include "core/basedata/data_check.h"
#include "core/basedata/survey_data.h"
#include "core/text/paths.h"

namespace mk::cli {
namespace {

constexpr const char* kUsage = "check DATFILE --pairs X:Y[,X:Y...] [--degree 1|2|3|auto]";
constexpr const char* kHelp =
    "Examines pairs of survey quantities and writes the report YIELD_xx.CHK.\n"
    "As the data check window does; the report goes next to the DAT file.\n"
    "--pairs X:Y[,X:Y...]   the pairs in order, variables 0 林齢, 1 上層樹高, 2 立木本数,\n"
    "                       3 幹材積, 4 断面積, 5 平均直径, 6 平均樹高\n"
    "--degree 1|2|3|auto    the polynomial's degree; auto (the default) chooses 1..3";

int Usage(std::ostream& err, const std::string& problem) {
    err << "morikoyomi-cli check: " << problem << "\n";
    err << "usage: morikoyomi-cli " << kUsage << "\n";
    return 2;
}

bool VariableIndex(const std::string& text, int& index) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '6') return false;
    index = text[0] - '0';
    return true;
}

bool ParsePairs(const std::string& text, std::vector<std::pair<int, int>>& pairs) {
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string piece =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t colon = piece.find(':');
        int x = 0, y = 0;
        if (colon == std::string::npos || !VariableIndex(piece.substr(0, colon), x) ||
            !VariableIndex(piece.substr(colon + 1), y))
            return false;
        pairs.emplace_back(x, y);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string datPath;
    std::vector<std::pair<int, int>> pairs;
    bool havePairs = false;
    int degreeChoice = 4;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            if (!datPath.empty()) return Usage(err, "more than one DATFILE: " + arg);
            datPath = arg;
            continue;
        }
        std::string name = arg, value;
        if (const size_t eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return Usage(err, arg + " needs a value");
        }
        if (name == "--pairs") {
            if (!ParsePairs(value, pairs))
                return Usage(err, "--pairs is not a list of X:Y (0..6): " + value);
            havePairs = true;
        } else if (name == "--degree") {
            if (value == "auto")
                degreeChoice = 4;
            else if (value == "1" || value == "2" || value == "3")
                degreeChoice = value[0] - '0';
            else
                return Usage(err, "--degree must be 1, 2, 3 or auto: " + value);
        } else {
            return Usage(err, "unknown option " + name);
        }
    }
    if (datPath.empty()) return Usage(err, "DATFILE is missing");
    if (HoldsLineBreak(FolderPart(datPath)))
        return Usage(err, std::string("DATFILE: ") + kLineBreakFolderText);
    if (!havePairs) return Usage(err, "--pairs is missing");

    CliMessages messages(err);
    SurveyDataSet set;
    if (!ReadSurveyFile(datPath, set, messages)) return 1;

    CheckReport report;
    const std::string reportPath = MakeSaveName(FolderPart(datPath), ".CHK", messages);
    if (!reportPath.empty()) report.Create(reportPath, datPath, messages);

    CheckState state;
    state.degreeChoice = degreeChoice;
    const std::string caption = datPath + " －" + std::string(kCheckCaption);
    for (const auto& [x, y] : pairs) {
        state.xIndex = x;
        state.yIndex = y;
        RunExamination(set, state, nullptr, &report, messages, caption);
    }
    if (!report.isOpen()) return 1;
    out << report.path() << "\n";
    return 0;
}

const CommandRegistrar kRegistrar("check", kUsage, RunCheck, kHelp);

}  // namespace
}  // namespace mk::cli
