#include "cli/run_command_args.h"

#include <ostream>

#include "cli/run_images.h"
#include "core/tables/table_csv.h"
#include "core/text/paths.h"
#include "render/image_canvas.h"
#include "render/report_pages.h"

namespace mk::cli {
namespace {

bool ParseChoice(const std::string& text, int max, int& value) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + max) return false;
    value = text[0] - '0';
    return true;
}

// The value of an option that takes one; false when it is missing or the
// option was given before.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value) {
    if (i + 1 >= args.size() || !value.empty() || args[i + 1].empty()) return false;
    value = args[++i];
    return true;
}

}  // namespace

bool ParseRunCommandArgs(const std::vector<std::string>& args, const char* choiceOption,
                         int choiceMax, RunCommandArgs& parsed) {
    bool choiceGiven = false;
    bool everyYearGiven = false;
    std::string format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--images") {
            if (!TakeValue(args, i, parsed.imageFolder)) return false;
        } else if (arg == "--format") {
            if (!TakeValue(args, i, format)) return false;
        } else if (arg == "--csv") {
            if (!TakeValue(args, i, parsed.csvFile)) return false;
        } else if (arg == "--pdf") {
            if (!TakeValue(args, i, parsed.pdfFile)) return false;
        } else if (arg == "--every-year") {
            if (everyYearGiven) return false;
            everyYearGiven = parsed.everyYear = true;
        } else if (choiceOption != nullptr && arg == choiceOption) {
            if (i + 1 >= args.size() || choiceGiven) return false;
            if (!ParseChoice(args[++i], choiceMax, parsed.choice)) return false;
            choiceGiven = true;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            return false;
        } else if (parsed.runFile.empty()) {
            parsed.runFile = arg;
        } else {
            return false;
        }
    }
    if (!format.empty()) {
        const std::optional<PictureFormat> f = PictureFormatOfWord(format);
        if (!f || parsed.imageFolder.empty()) return false;
        parsed.imageFormat = *f;
    }
    if (parsed.everyYear && parsed.csvFile.empty()) return false;
    return !parsed.runFile.empty();
}

bool HoldsLineBreak(std::string_view path) {
    return path.find_first_of("\r\n") != std::string_view::npos;
}

bool CheckOutputFolders(const RunFile& file, const std::string& parFileName,
                        const RunCommandArgs& parsed, std::ostream& err) {
    if (HoldsLineBreak(FolderPart(parFileName))) {
        err << ErrorAt(file, "RunSettings", "ParFileName", kLineBreakFolderText).Text() << "\n";
        return false;
    }
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--images", &parsed.imageFolder}, {"--csv", &parsed.csvFile}, {"--pdf", &parsed.pdfFile}};
    for (const auto& [option, path] : outputs) {
        if (HoldsLineBreak(*path)) {
            err << "morikoyomi-cli: " << option << ": " << kLineBreakFolderText << "\n";
            return false;
        }
    }
    return true;
}

std::string ExportUsage() {
    return " [--images DIR [--format bmp|png|svg]] [--csv FILE [--every-year]] [--pdf FILE]";
}

int FinishRun(const RunCommandArgs& parsed, const FinishedRun& run, Messages& messages,
              std::ostream& out) {
    if (!parsed.csvFile.empty() && run.table != nullptr) {
        if (!WriteTableCsv(parsed.csvFile, *run.table, parsed.everyYear, messages)) return 1;
        out << parsed.csvFile << "\n";
    }
    if (!parsed.imageFolder.empty() && run.diagram != nullptr) {
        std::vector<std::string> paths;
        const bool ok = WriteRunImages(parsed.imageFolder, parsed.imageFormat, *run.diagram,
                                       run.pictures, messages, paths);
        for (const std::string& path : paths) out << path << "\n";
        if (!ok) return 1;
    }
    if (!parsed.pdfFile.empty() && run.report) {
        if (!WriteReportPdf(parsed.pdfFile, run.report(), messages)) return 1;
        out << parsed.pdfFile << "\n";
    }
    return 0;
}

}  // namespace mk::cli
