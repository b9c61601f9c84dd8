#pragma once
// What the run-file commands (yield, volume, plan) share on their command
// line and at their end: RUNFILE, --images DIR [--format bmp|png|svg],
// --csv FILE [--every-year], --pdf FILE and one numbered choice (--site or
// --plan), and the writing and listing of those exports once the table is
// written.

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run_file.h"
#include "core/graphics/run_pictures.h"
#include "core/tables/result_report.h"
#include "render/picture_files.h"

namespace mk {
class ImageCanvas;
class Messages;
}  // namespace mk

namespace mk::cli {

struct RunCommandArgs {
    std::string runFile;
    std::string imageFolder;  // empty: no images
    PictureFormat imageFormat = PictureFormat::Bmp;
    std::string csvFile;  // empty: no CSV
    bool everyYear = false;
    std::string pdfFile;  // empty: no report
    int choice = 1;       // the --site or --plan value
};

// choiceOption is "--site" or "--plan" (nullptr when the command has none)
// and takes a whole number 1..choiceMax. False for anything else, a repeated
// option, --format without --images, --every-year without --csv, or a
// missing run file.
bool ParseRunCommandArgs(const std::vector<std::string>& args, const char* choiceOption,
                         int choiceMax, RunCommandArgs& parsed);

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
// folder, and the CSV and PDF files. Prints the error (at the ParFileName
// line for the table's folder) and returns false.
bool CheckOutputFolders(const RunFile& file, const std::string& parFileName,
                        const RunCommandArgs& parsed, std::ostream& err);

// " [--images DIR [--format bmp|png|svg]] [--csv FILE [--every-year]] [--pdf FILE]"
std::string ExportUsage();

// What a finished run hands to its exports.
struct FinishedRun {
    const ResultTable* table = nullptr;
    // The chosen plan's or site class's diagram as the run drew it, and its
    // six pictures as drawings.
    const ImageCanvas* diagram = nullptr;
    RunPictures pictures;
    std::function<ResultReport()> report;
};

// Writes what the command line asked for (CSV, the six images, the PDF
// report) and prints every path written. Returns the exit status: 0, or 1
// when one could not be written (the rest are then not attempted).
int FinishRun(const RunCommandArgs& parsed, const FinishedRun& run, Messages& messages,
              std::ostream& out);

}  // namespace mk::cli
