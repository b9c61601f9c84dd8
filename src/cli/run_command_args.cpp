#include "cli/run_command_args.h"

#include <ostream>

#include "cli/run_images.h"
#include "core/text/paths.h"
#include "render/image_canvas.h"

namespace mk::cli {
namespace {

bool ParseChoice(const std::string& text, int max, int& value) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + max) return false;
    value = text[0] - '0';
    return true;
}

}  // namespace

bool ParseRunCommandArgs(const std::vector<std::string>& args, const char* choiceOption,
                         int choiceMax, RunCommandArgs& parsed, const char* flagOption) {
    bool choiceGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--images") {
            if (i + 1 >= args.size() || !parsed.imageFolder.empty()) return false;
            parsed.imageFolder = args[++i];
        } else if (choiceOption != nullptr && args[i] == choiceOption) {
            if (i + 1 >= args.size() || choiceGiven) return false;
            if (!ParseChoice(args[++i], choiceMax, parsed.choice)) return false;
            choiceGiven = true;
        } else if (flagOption != nullptr && args[i] == flagOption) {
            if (parsed.flag) return false;
            parsed.flag = true;
        } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
            return false;
        } else if (parsed.runFile.empty()) {
            parsed.runFile = args[i];
        } else {
            return false;
        }
    }
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
    if (HoldsLineBreak(parsed.imageFolder)) {
        err << "morikoyomi-cli: --images: " << kLineBreakFolderText << "\n";
        return false;
    }
    return true;
}

int FinishWithImages(const RunCommandArgs& parsed, const ImageCanvas* diagram,
                     const AgeGraphRun& run, Messages& messages, std::ostream& out) {
    if (parsed.imageFolder.empty() || diagram == nullptr) return 0;
    std::vector<std::string> paths;
    const bool ok = WriteRunImages(parsed.imageFolder, *diagram, run, messages, paths);
    for (const std::string& path : paths) out << path << "\n";
    return ok ? 0 : 1;
}

}  // namespace mk::cli
