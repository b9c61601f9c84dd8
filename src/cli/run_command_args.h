#pragma once
// What the run-file commands (yield, volume, plan) share on their command
// line and at their end: RUNFILE, --images DIR and one numbered choice
// (--site or --plan), and the listing of the images written.

#include <iosfwd>
#include <string>
#include <vector>

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
};

// choiceOption is "--site" or "--plan" (nullptr when the command has none)
// and takes a whole number 1..choiceMax. False for anything else, a repeated
// option or a missing run file.
bool ParseRunCommandArgs(const std::vector<std::string>& args, const char* choiceOption,
                         int choiceMax, RunCommandArgs& parsed);

// Writes the six images of the run when --images was given and prints every
// path written. Returns the exit status: 0, or 1 when an image could not be
// written.
int FinishWithImages(const RunCommandArgs& parsed, const ImageCanvas* diagram,
                     const AgeGraphRun& run, Messages& messages, std::ostream& out);

}  // namespace mk::cli
