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
#include "core/host/messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/text/text_compare.h"
#include "core/yield/stand_volume_run.h"
#include "render/image_canvas.h"

namespace mk::cli {
namespace {

constexpr const char* kUsage = "volume RUNFILE [--images DIR] [--site 1..3]";
constexpr const char* kHelp =
    "Writes the stand volume table (林分材積表) YIELD_xx.80 of a run file.\n"
    "The table of the three site classes goes next to the PAR file, under the next free name.\n"
    "RUNFILE        [RunSettings] with PrmFileName, ParFileName, HnpFileName, EndAge\n"
    "--images DIR   also writes the six pictures of one site class as DIR/image0..5.bmp\n"
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

    // Only the chosen site class's picture is kept as an image.
    const bool images = !parsed.imageFolder.empty();
    RecordingCanvas recorded[3];
    Canvas* canvases[3] = {&recorded[0], &recorded[1], &recorded[2]};
    std::unique_ptr<ImageCanvas> image;
    if (images) {
        image = std::make_unique<ImageCanvas>();
        DrawDensityDiagram(*image, ws.Diagram);
        canvases[parsed.choice - 1] = image.get();
    }
    const ProgressText labels[3];
    NullEventPump pump;
    const StandVolumeOutcome outcome = RunStandVolumeTable(ws, canvases, labels, messages, pump);
    if (outcome.writtenPath.empty()) return 1;
    out << outcome.writtenPath << "\n";
    ws.VolumeTableSiteClass = parsed.choice;
    return FinishWithImages(parsed, image.get(), RunGraphs(ws, true), messages, out);
}

const CommandRegistrar kRegistrar("volume", kUsage, RunVolume, kHelp);

}  // namespace
}  // namespace mk::cli
