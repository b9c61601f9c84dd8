// morikoyomi-cli volume RUNFILE [--images DIR] [--site 1..3]: the stand
// volume table of the three site classes, next to the PAR file.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli/command_registry.h"
#include "cli/run_command_args.h"
#include "cli/run_file.h"
#include "cli/run_images.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/graphics/recording_canvas.h"
#include "core/graphics/tee_canvas.h"
#include "core/host/messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/text/text_compare.h"
#include "core/yield/stand_volume_run.h"
#include "render/image_canvas.h"
#include "render/report_pages.h"

namespace mk::cli {
namespace {

const std::string kUsage = "volume RUNFILE" + ExportUsage() + " [--site 1..3]";
constexpr const char* kHelp =
    "Writes the stand volume table (林分材積表) YIELD_xx.80 of a run file.\n"
    "The table of the three site classes goes next to the PAR file, under the next free name.\n"
    "RUNFILE        [RunSettings] with PrmFileName, ParFileName, HnpFileName, EndAge\n"
    "--images DIR   also writes the six pictures as DIR/image0 (density control diagram) .. image5\n"
    "--format F     bmp (default), png (the same pixels) or svg (vectors)\n"
    "--csv FILE     also writes the table as CSV (UTF-8, full precision)\n"
    "--every-year   the CSV lists every simulated year, not only the table's rows\n"
    "--pdf FILE     also writes the A4 report: summary, table and pictures\n"
    "--site 1..3    whose pictures: 1 上 (default), 2 中, 3 下";
constexpr const char* kRs = "RunSettings";
constexpr const char* kCaption = "林分材積表の作成";

// The setup dialog reads each file as it opens (a file that does not read
// is dropped from its box) and then checks the three together as its
// "決定" does. True when the run may start.
bool LoadAndCheckFiles(Workspace& ws, Messages& messages) {
    std::string prm = ws.Run.PrmFileName;
    std::string par = ws.Run.ParFileName;
    std::string hnp = ws.HnpFileName;
    if (!ReadPrmFile(prm, ws.Diagram, messages)) prm.clear();
    if (!ReadParFile(par, ws.HeightCurve, messages)) par.clear();
    if (!ReadHnpFile(hnp, ws.Hnp, messages)) hnp.clear();

    std::string problems;
    if (prm.empty()) problems += "PRMファイル名が指定されていません\r\n";
    if (par.empty()) problems += "PARファイル名が指定されていません\r\n";
    if (hnp.empty()) problems += "HNPファイル名が指定されていません\r\n";
    if (problems.empty()) {
        if (!ws.Hnp.HnpLoaded || !ws.HeightCurve.HeightCurveLoaded) {
            problems += "PARまたはHNPファイルが読み込まれていません\r\n";
        } else if (!TextEquals(ws.HeightCurve.HeightCurveSource, ws.Hnp.HnpSource)) {
            problems +=
                "上層樹高生長曲線を計算したデータと一致しません。(PARとHNPが一致しない)\r\n";
        }
    }
    if (!problems.empty()) {
        messages.Show(problems, kCaption, MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    return true;
}

int RunVolume(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RunCommandArgs parsed;
    if (!ParseRunCommandArgs(args, "--site", 3, parsed)) {
        err << "usage: morikoyomi-cli " << kUsage << "\n";
        return 2;
    }
    RunFileError error;
    const std::optional<RunFile> file = ReadRunFile(parsed.runFile, error);
    const auto workspace = std::make_unique<Workspace>();
    Workspace& ws = *workspace;
    if (!file || !ReadRunSettings(*file, ws.Run, ws.CurrentStand, ws.HnpFileName, error)) {
        err << error.Text() << "\n";
        return 2;
    }
    for (const char* key : {"PrmFileName", "ParFileName", "HnpFileName"}) {
        if (!file->Has(kRs, key)) {
            err << MissingKey(*file, kRs, key).Text() << "\n";
            return 2;
        }
    }
    if (!file->Has(kRs, "EndAge")) ws.Run.EndAge = 100;
    if (ws.Run.EndAge < 0 || ws.Run.EndAge > 200) {
        err << ErrorAt(*file, kRs, "EndAge", "0 から 200 までです").Text() << "\n";
        return 2;
    }
    ws.Run.CurrentAge = 1;

    if (!CheckOutputFolders(*file, ws.Run.ParFileName, parsed, err)) return 2;

    CliMessages messages(err);
    if (!LoadAndCheckFiles(ws, messages)) return 1;

    // Every site class's path is kept as strokes for the vector pictures;
    // only the chosen one is drawn on a real picture, when images are wanted.
    RecordingCanvas paths[3];
    Canvas* canvases[3] = {&paths[0], &paths[1], &paths[2]};
    std::unique_ptr<ImageCanvas> image;
    std::unique_ptr<TeeCanvas> both;
    if (!parsed.imageFolder.empty()) {
        image = std::make_unique<ImageCanvas>();
        DrawDensityDiagram(*image, ws.Diagram);
        both = std::make_unique<TeeCanvas>(*image, paths[parsed.choice - 1]);
        canvases[parsed.choice - 1] = both.get();
    }
    const ProgressText labels[3];
    NullEventPump pump;
    const StandVolumeOutcome outcome = RunStandVolumeTable(ws, canvases, labels, messages, pump);
    if (outcome.writtenPath.empty()) return 1;
    out << outcome.writtenPath << "\n";
    std::vector<RunPictures> all;
    for (int k = 1; k <= 3; ++k) {
        ws.VolumeTableSiteClass = k;
        all.push_back(RunPictures{ws.Diagram, paths[k - 1].primitives(), RunGraphs(ws, true)});
    }
    ws.VolumeTableSiteClass = parsed.choice;
    FinishedRun finished;
    finished.table = &ws.LastTable;
    finished.diagram = image.get();
    finished.pictures = all[parsed.choice - 1];
    finished.report = [&ws, &all] {
        return VolumeRunReport(ws.Run, ws.HnpFileName, ws.LastTable, all, ReportDateText());
    };
    return FinishRun(parsed, finished, messages, out);
}

const CommandRegistrar kRegistrar("volume", kUsage.c_str(), RunVolume, kHelp);

}  // namespace
}  // namespace mk::cli
