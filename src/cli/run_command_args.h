#pragma once
// What the run-file commands (yield, volume, plan) share on their command
// line and at their end: RUNFILE, --images DIR and one numbered choice
// (--site or --plan), and the listing of the images written.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run_file.h"
#include "core/graphics/age_graph.h"

namespace mk {
class ImageCanvas;
class Messages;
}  // namespace mk

namespace mk::cli {

struct RunCommandArgs {
    std::string runFile;
    std::string imageFolder;  // empty: no images
    int choice = 1;           // the --site or --plan value
    bool flag = false;        // the command's own switch was given (plan: --compare)
};

// choiceOption is "--site" or "--plan" (nullptr when the command has none)
// and takes a whole number 1..choiceMax; flagOption ("--compare", nullptr
// when none) is a switch. False for anything else, a repeated option or a
// missing run file.
bool ParseRunCommandArgs(const std::vector<std::string>& args, const char* choiceOption,
                         int choiceMax, RunCommandArgs& parsed, const char* flagOption = nullptr);

// Every path a command writes is printed as one line of standard output,
// which scripts read line by line. A folder whose name holds a line break
// (LF or CR) would split a path over two lines, so nothing is written into
// one: true when the path of an output folder holds a line break.
bool HoldsLineBreak(std::string_view path);
inline constexpr const char* kLineBreakFolderText =
    "改行を含むフォルダ名には書き込めません（書き込んだファイルのパスは 1 行に 1 "
    "つずつ出力します）";

// The output folders of a run-file command, checked before anything is
// computed: the PAR file's folder, which takes the table, and the image
// folder. Prints the error (at the ParFileName line) and returns false.
bool CheckOutputFolders(const RunFile& file, const std::string& parFileName,
                        const RunCommandArgs& parsed, std::ostream& err);

// Writes the six images of the run when --images was given and prints every
// path written. Returns the exit status: 0, or 1 when an image could not be
// written.
int FinishWithImages(const RunCommandArgs& parsed, const ImageCanvas* diagram,
                     const AgeGraphRun& run, Messages& messages, std::ostream& out);

}  // namespace mk::cli
