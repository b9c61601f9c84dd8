// morikoyomi-cli yield RUNFILE [--images DIR]: the yield table of a run
// file, written next to the PAR file as the result window writes it.

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
#include "core/model/natural_thinning.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/yield/current_stand.h"
#include "core/yield/run_checks.h"
#include "core/yield/table_calc.h"
#include "render/image_canvas.h"
#include "render/report_pages.h"

namespace mk::cli {
namespace {

const std::string kUsage = "yield RUNFILE" + ExportUsage();
constexpr const char* kHelp =
    "Writes the yield prediction table (収穫予測表) YIELD_xx.150 of a run file.\n"
    "The table goes next to the run's PAR file, under the next free name.\n"
    "RUNFILE        [RunSettings] and [CurrentStandState] as the yield wizard fills them\n"
    "--images DIR   also writes the six pictures as DIR/image0 (density control diagram) .. image5\n"
    "--format F     bmp (default), png (the same pixels) or svg (vectors)\n"
    "--csv FILE     also writes the table as CSV (UTF-8, full precision)\n"
    "--every-year   the CSV lists every simulated year, not only the table's rows\n"
    "--pdf FILE     also writes the A4 report: summary, table and pictures";
constexpr const char* kRs = "RunSettings";
constexpr const char* kCs = "CurrentStandState";

// The ranges of the starting stand page's bars: planting 1000..10000 and
// current stems 200..10000 (lowered further to the full density of the
// stand's height, which the run then leaves to the simulation). A given
// planting density through the stand is what that page computes, between
// the search's lower end 100 and three times the most stems.
constexpr double kMinPlanting = 1000;
constexpr double kMinCurrentStems = 200;
constexpr double kMaxStems = 10000;
constexpr double kMinPlantingThrough = 100;
constexpr double kMaxPlantingThrough = 3 * kMaxStems;

// The checks of a yield run's fields that the wizard's bars would have
// made impossible.
bool CheckYieldFields(const RunFile& f, Workspace& ws, RunFileError& e) {
    RunSettings& run = ws.Run;
    if (!f.Has(kRs, "PrmFileName")) return e = MissingKey(f, kRs, "PrmFileName"), false;
    if (!f.Has(kRs, "ParFileName")) return e = MissingKey(f, kRs, "ParFileName"), false;
    if (!f.Has(kRs, "SiteClass")) return e = MissingKey(f, kRs, "SiteClass"), false;
    if (run.SiteClass < 1 || run.SiteClass > 4) {
        return e = ErrorAt(f, kRs, "SiteClass", "1 から 4 までです"), false;
    }
    if (!f.Has(kRs, "ThinningMethod")) return e = MissingKey(f, kRs, "ThinningMethod"), false;
    if (run.ThinningMethod < 1 || run.ThinningMethod > 6) {
        return e = ErrorAt(f, kRs, "ThinningMethod", "1 から 6 までです"), false;
    }
    if (run.SiteClass == kSiteMeasured) {
        if (!f.Has(kRs, "SiteCurveScale")) return e = MissingKey(f, kRs, "SiteCurveScale"), false;
        // A measured stand is always the starting point of its run.
        run.StemSettingMethod = 2;
        if (!f.Has(kRs, "CurrentAge")) {
            if (!f.Has(kCs, "SiteCalcAge")) return e = MissingKey(f, kCs, "SiteCalcAge"), false;
            run.CurrentAge = ws.CurrentStand.SiteCalcAge;
        }
        if (!f.Has(kCs, "CurrentHeight") && !f.Has(kCs, "SiteCalcHeight")) {
            return e = MissingKey(f, kCs, "SiteCalcHeight"), false;
        }
    } else {
        if (f.Has(kRs, "SiteCurveScale")) {
            return e = ErrorAt(f, kRs, "SiteCurveScale",
                               "地位 1～3 では PAR ファイルから計算するので指定できません"),
                   false;
        }
        if (!f.Has(kRs, "StemSettingMethod")) {
            return e = MissingKey(f, kRs, "StemSettingMethod"), false;
        }
        if (run.StemSettingMethod != 1 && run.StemSettingMethod != 2) {
            return e = ErrorAt(f, kRs, "StemSettingMethod", "1 か 2 です"), false;
        }
    }
    if (!CheckRange(f, kRs, "BoundThinningRate", run.BoundThinningRate, 0, 1, e)) return false;
    if (run.EndAge < 0 || run.EndAge > 200) {
        return e = ErrorAt(f, kRs, "EndAge", "0 から 200 までです"), false;
    }
    if (run.StemSettingMethod == 1) {
        if (!f.Has(kRs, "PlantingStemNumber")) {
            return e = MissingKey(f, kRs, "PlantingStemNumber"), false;
        }
        if (!CheckRange(f, kRs, "PlantingStemNumber", run.PlantingStemNumber, kMinPlanting,
                        kMaxStems, e)) {
            return false;
        }
        run.CurrentAge = 1;
    } else {
        if (!CheckRange(f, kRs, "CurrentStemNumber", run.CurrentStemNumber, kMinCurrentStems,
                        kMaxStems, e) ||
            !CheckRange(f, kCs, "CurrentPlantingDensity", ws.CurrentStand.CurrentPlantingDensity,
                        kMinPlantingThrough, kMaxPlantingThrough, e)) {
            return false;
        }
        if (!f.Has(kRs, "CurrentStemNumber")) {
            return e = MissingKey(f, kRs, "CurrentStemNumber"), false;
        }
        if (!f.Has(kRs, "CurrentAge") && run.SiteClass != kSiteMeasured) {
            return e = MissingKey(f, kRs, "CurrentAge"), false;
        }
        if (run.CurrentAge < 1 || run.CurrentAge > 200) {
            const char* key = f.Has(kRs, "CurrentAge") ? "CurrentAge" : "SiteCalcAge";
            return e = ErrorAt(f, f.Has(kRs, "CurrentAge") ? kRs : kCs, key,
                               "林齢は 1 から 200 までです"),
                   false;
        }
    }
    // The wizard refuses these on its pages, with the same words.
    if (const std::string refusal = EndAgeRefusal(run); !refusal.empty()) {
        return e = ErrorAt(f, kRs, "EndAge", refusal), false;
    }
    if (const std::string refusal = ScheduleRefusal(run); !refusal.empty()) {
        return e = ErrorAt(f, kRs, "ThinningKey", refusal), false;
    }
    return true;
}

// The current stand as the starting-stand page computes it, for the values
// the run file leaves out.
void CompleteCurrentStand(const RunFile& f, Workspace& ws) {
    RunSettings& run = ws.Run;
    CurrentStandState& stand = ws.CurrentStand;
    if (!f.Has(kCs, "CurrentHeight")) {
        if (auto h = CurrentHeightAt(run, stand, ws.HeightCurve, run.CurrentAge)) {
            stand.CurrentHeight = *h;
        }
    }
    const double plantingDensity = stand.CurrentPlantingDensity;
    NullEventPump pump;
    RefreshCurrentStand(ws.Diagram, stand, run.CurrentStemNumber, pump);
    if (f.Has(kCs, "CurrentPlantingDensity")) stand.CurrentPlantingDensity = plantingDensity;
}

int RunYield(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RunCommandArgs parsed;
    if (!ParseRunCommandArgs(args, nullptr, 0, parsed)) {
        err << "usage: morikoyomi-cli " << kUsage << "\n";
        return 2;
    }
    RunFileError error;
    const std::optional<RunFile> file = ReadRunFile(parsed.runFile, error);
    const auto workspace = std::make_unique<Workspace>();
    Workspace& ws = *workspace;
    if (!file || !ReadRunSettings(*file, ws.Run, ws.CurrentStand, ws.HnpFileName, error) ||
        !CheckYieldFields(*file, ws, error)) {
        err << error.Text() << "\n";
        return 2;
    }

    if (!CheckOutputFolders(*file, ws.Run.ParFileName, parsed, err)) return 2;

    CliMessages messages(err);
    if (!ReadPrmFile(ws.Run.PrmFileName, ws.Diagram, messages)) return 1;
    if (!ReadParFile(ws.Run.ParFileName, ws.HeightCurve, messages)) return 1;
    if (ws.Run.SiteClass != kSiteMeasured) {
        ws.Run.SiteCurveScale = SiteCurveScale(ws.HeightCurve, ws.Run.SiteClass).value_or(0);
    }
    if (ws.Run.StemSettingMethod == 2) CompleteCurrentStand(*file, ws);

    PrepareRunSettings(ws);
    // The stand's path is kept as strokes for the vector pictures; it is
    // drawn on a real picture only when the images are wanted.
    RecordingCanvas path;
    std::unique_ptr<ImageCanvas> image;
    std::unique_ptr<TeeCanvas> both;
    Canvas* picture = &path;
    if (!parsed.imageFolder.empty()) {
        image = std::make_unique<ImageCanvas>();
        DrawDensityDiagram(*image, ws.Diagram);
        both = std::make_unique<TeeCanvas>(*image, path);
        picture = both.get();
    }
    NullEventPump pump;
    const TableCalcOutcome outcome =
        TABLECALC(ws, kYieldTableMode, *picture, ProgressText{}, messages, pump);
    if (outcome.writtenPath.empty()) return 1;
    out << outcome.writtenPath << "\n";
    FinishedRun finished;
    finished.table = &ws.LastTable;
    finished.diagram = image.get();
    finished.pictures = RunPictures{ws.Diagram, path.primitives(), RunGraphs(ws, false)};
    finished.report = [&ws, &finished] {
        return YieldRunReport(ws.Run, ws.CurrentStand, ws.LastTable, finished.pictures,
                              ReportDateText());
    };
    return FinishRun(parsed, finished, messages, out);
}

const CommandRegistrar kRegistrar("yield", kUsage.c_str(), RunYield, kHelp);

}  // namespace
}  // namespace mk::cli
