// morikoyomi-cli plan RUNFILE [--images DIR] [--plan 1..5]: the five plans
// of a planning request, written as the plan table next to the PAR file as
// the plan result window writes it.

#include <array>
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
#include "core/planning/plan_graphs.h"
#include "core/planning/plan_pages.h"
#include "core/planning/plan_settings.h"
#include "core/planning/plan_simulation.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "render/image_canvas.h"
#include "render/report_pages.h"

namespace mk::cli {
namespace {

const std::string kUsage = "plan RUNFILE" + ExportUsage() + " [--plan 1..5]";
constexpr const char* kHelp =
    "Writes the five thinning plans (施業体系の編成) YIELD_xx.160 of a run file.\n"
    "The table goes next to the PAR file, under the next free name.\n"
    "RUNFILE        [RunSettings] and [PlanSettings] as the planning wizard fills them\n"
    "--images DIR   also writes the six pictures as DIR/image0 (density control diagram) .. image5\n"
    "--format F     bmp (default), png (the same pixels) or svg (vectors)\n"
    "--csv FILE     also writes the table as CSV (UTF-8, full precision)\n"
    "--every-year   the CSV lists every simulated year, not only the table's rows\n"
    "--pdf FILE     also writes the A4 report: summary, table and pictures\n"
    "--plan 1..5    whose pictures (default 1)";
constexpr const char* kRs = "RunSettings";
constexpr const char* kCs = "CurrentStandState";
constexpr const char* kPs = "PlanSettings";

// The fields of [PlanSettings] as given; absent ones keep their cleared value.
bool ReadPlanSettings(const RunFile& f, PlanSettings& p, RunFileError& e) {
    ClearPlanSettings(p);
    return GetWhole(f, kPs, "StandStateKnown", p.StandStateKnown, e) &&
           GetWhole(f, kPs, "TargetDecided", p.TargetDecided, e) &&
           GetWhole(f, kPs, "StartAge", p.StartAge, e) &&
           GetReal(f, kPs, "StartStemNumber", p.StartStemNumber, e) &&
           GetWhole(f, kPs, "EndAge", p.EndAge, e) &&
           GetReal(f, kPs, "TargetStemNumber", p.TargetStemNumber, e) &&
           GetWhole(f, kPs, "ThinStartAge", p.ThinStartAge, e) &&
           GetWhole(f, kPs, "ThinFromAge", p.ThinFromAge, e) &&
           GetWhole(f, kPs, "ThinToAge", p.ThinToAge, e) &&
           GetWhole(f, kPs, "IntervalLessOne", p.IntervalLessOne, e) &&
           GetReal(f, kPs, "RyLimit", p.RyLimit, e) && GetReal(f, kPs, "RyStep", p.RyStep, e) &&
           GetReal(f, kPs, "SlendernessLimit", p.SlendernessLimit, e) &&
           GetReal(f, kPs, "StartPlantingDensity", p.StartPlantingDensity, e) &&
           GetReal(f, kPs, "TargetPlantingDensity", p.TargetPlantingDensity, e) &&
           GetReal(f, kPs, "TargetHeight", p.TargetHeight, e);
}

// The stem-number bars of the stand pages end at 10000 stems; the planting
// density those pages compute through a stand searches up to three times
// its stems. (Below, the run file reaches further than the bars, down to a
// single stem, so that the plans' 150-stem floor can be tried.)
constexpr double kMaxStems = 10000;
constexpr double kMaxPlanting = 3 * kMaxStems;

// The checks that the wizard's options and bars would have made impossible.
bool CheckPlanFields(const RunFile& f, Workspace& ws, RunFileError& e) {
    RunSettings& run = ws.Run;
    PlanSettings& p = ws.Plan;
    for (const char* key : {"PrmFileName", "ParFileName", "SiteClass"}) {
        if (!f.Has(kRs, key)) return e = MissingKey(f, kRs, key), false;
    }
    if (run.SiteClass < 1 || run.SiteClass > 4) {
        return e = ErrorAt(f, kRs, "SiteClass", "1 から 4 までです"), false;
    }
    if (run.SiteClass == kSiteMeasured) {
        if (!f.Has(kRs, "SiteCurveScale")) return e = MissingKey(f, kRs, "SiteCurveScale"), false;
    } else if (f.Has(kRs, "SiteCurveScale")) {
        return e = ErrorAt(f, kRs, "SiteCurveScale",
                           "地位 1～3 では PAR ファイルから計算するので指定できません"),
               false;
    }
    for (const char* key : {"StandStateKnown", "TargetDecided", "EndAge"}) {
        if (!f.Has(kPs, key)) return e = MissingKey(f, kPs, key), false;
    }
    if (p.StandStateKnown != 1 && p.StandStateKnown != 2) {
        return e = ErrorAt(f, kPs, "StandStateKnown", "1 か 2 です"), false;
    }
    if (p.TargetDecided != 1 && p.TargetDecided != 2) {
        return e = ErrorAt(f, kPs, "TargetDecided", "1 か 2 です"), false;
    }
    if (PlanModeOf(p) == PlanMode::None) {
        return e = ErrorAt(f, kPs, "TargetDecided",
                           "林分状態がわからず目標林型も決まっていない設定では計算できません"),
               false;
    }
    if (p.StandStateKnown == 2) {
        // The wizard plans an unknown stand from age 1 with 10000 stems.
        p.StartAge = 1;
        p.StartStemNumber = 10000;
    } else {
        if (!f.Has(kPs, "StartAge")) {
            if (run.SiteClass != kSiteMeasured || !f.Has(kCs, "SiteCalcAge")) {
                return e = MissingKey(f, kPs, "StartAge"), false;
            }
            p.StartAge = ws.CurrentStand.SiteCalcAge;
        }
        if (!f.Has(kPs, "StartStemNumber")) return e = MissingKey(f, kPs, "StartStemNumber"), false;
        if (p.StartAge < 1 || p.StartAge > 199) {
            return e = ErrorAt(f, kPs, f.Has(kPs, "StartAge") ? "StartAge" : "SiteCalcAge",
                               "林齢は 1 から 199 までです"),
                   false;
        }
        if (!CheckRange(f, kPs, "StartStemNumber", p.StartStemNumber, 1, kMaxStems, e)) {
            return false;
        }
        if (run.SiteClass == kSiteMeasured && !f.Has(kCs, "SiteCalcHeight")) {
            return e = MissingKey(f, kCs, "SiteCalcHeight"), false;
        }
    }
    if (p.EndAge <= p.StartAge || p.EndAge > 200) {
        return e = ErrorAt(f, kPs, "EndAge", "開始林齢より大きく 200 以下です"), false;
    }
    if (p.TargetDecided == 1) {
        if (!f.Has(kPs, "TargetStemNumber")) {
            return e = MissingKey(f, kPs, "TargetStemNumber"), false;
        }
        if (!CheckRange(f, kPs, "TargetStemNumber", p.TargetStemNumber, 1, kMaxStems, e)) {
            return false;
        }
    }
    if (!CheckRange(f, kPs, "StartPlantingDensity", p.StartPlantingDensity, 1, kMaxPlanting, e) ||
        !CheckRange(f, kPs, "TargetPlantingDensity", p.TargetPlantingDensity, 1, kMaxPlanting, e)) {
        return false;
    }
    if (f.Has(kPs, "ThinStartAge") && !f.Has(kPs, "ThinFromAge")) {
        p.ThinFromAge = p.ThinStartAge - 1;
    }
    p.PageCount = p.StandStateKnown == 2 && p.TargetDecided == 1 ? 5 : 6;
    return true;
}

// The values the wizard pages compute, for those the run file leaves out.
void CompletePlanSettings(const RunFile& f, Workspace& ws) {
    PlanSettings& p = ws.Plan;
    NullEventPump pump;
    p.StartStemNumberShown = p.StartStemNumber;
    if (p.TargetDecided == 1) {
        if (!f.Has(kPs, "TargetHeight")) {
            if (auto h = SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, p.EndAge)) {
                p.TargetHeight = *h;
            }
        }
        const PlanStand target =
            TargetPlanStand(ws.Diagram, p.EndAge, p.TargetHeight, p.TargetStemNumber, pump);
        if (!f.Has(kPs, "TargetPlantingDensity")) p.TargetPlantingDensity = target.plantingDensity;
        p.TargetDbh = target.dbh;
        p.TargetVolume = target.volume;
        p.TargetRy = target.ry.value_or(0);
        p.TargetSlenderness = target.slenderness;
    }
    if (!f.Has(kPs, "StartPlantingDensity")) {
        if (p.StandStateKnown == 2) {
            p.StartPlantingDensity = p.TargetPlantingDensity;
        } else {
            const double height =
                PlanStandHeight(ws.Run, ws.CurrentStand, ws.HeightCurve, p.StartAge).value_or(0);
            p.StartPlantingDensity =
                CurrentPlanStand(ws.Diagram, p.StartAge, height, p.StartStemNumber, pump)
                    .plantingDensity;
        }
    }
    ws.Run.CurrentAge = p.StartAge;
    ws.Run.CurrentStemNumber = RoundToInt(p.StartStemNumber);
    ws.Run.EndAge = p.EndAge;
}

int RunPlan(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RunCommandArgs parsed;
    if (!ParseRunCommandArgs(args, "--plan", kPlanCount, parsed)) {
        err << "usage: morikoyomi-cli " << kUsage << "\n";
        return 2;
    }
    RunFileError error;
    const std::optional<RunFile> file = ReadRunFile(parsed.runFile, error);
    auto ws = std::make_unique<Workspace>();
    if (!file || !ReadRunSettings(*file, ws->Run, ws->CurrentStand, ws->HnpFileName, error) ||
        !ReadPlanSettings(*file, ws->Plan, error) || !CheckPlanFields(*file, *ws, error)) {
        err << error.Text() << "\n";
        return 2;
    }

    if (!CheckOutputFolders(*file, ws->Run.ParFileName, parsed, err)) return 2;

    CliMessages messages(err);
    if (!ReadPrmFile(ws->Run.PrmFileName, ws->Diagram, messages)) return 1;
    if (!ReadParFile(ws->Run.ParFileName, ws->HeightCurve, messages)) return 1;
    if (ws->Run.SiteClass != kSiteMeasured) {
        ws->Run.SiteCurveScale = SiteCurveScale(ws->HeightCurve, ws->Run.SiteClass).value_or(0);
    }
    CompletePlanSettings(*file, *ws);

    // Every plan's path is kept as strokes for the vector pictures; only
    // the chosen plan's is drawn on a real picture, when images are wanted.
    std::array<RecordingCanvas, kPlanCount> paths;
    std::unique_ptr<ImageCanvas> image;
    std::unique_ptr<TeeCanvas> both;
    std::array<Canvas*, kPlanCount> pictures{};
    for (int k = 0; k < kPlanCount; ++k) pictures[k] = &paths[k];
    if (!parsed.imageFolder.empty()) {
        image = std::make_unique<ImageCanvas>();
        DrawDensityDiagram(*image, ws->Diagram);
        both = std::make_unique<TeeCanvas>(*image, paths[parsed.choice - 1]);
        pictures[parsed.choice - 1] = both.get();
    }

    NullEventPump pump;
    const std::string written = RunPlanTable(*ws, pictures, PlanRunCallbacks{}, messages, pump);
    if (written.empty()) return 1;
    out << written << "\n";
    std::vector<RunPictures> all;
    for (int k = 1; k <= kPlanCount; ++k) {
        all.push_back(RunPictures{ws->Diagram, paths[k - 1].primitives(), PlanGraphs(*ws, k)});
    }
    FinishedRun finished;
    finished.table = &ws->LastTable;
    finished.diagram = image.get();
    finished.pictures = all[parsed.choice - 1];
    finished.report = [&ws, &all] {
        return PlanRunReport(ws->Run, ws->CurrentStand, ws->Plan, ws->LastTable, all,
                             ReportDateText());
    };
    return FinishRun(parsed, finished, messages, out);
}

const CommandRegistrar kRegistrar("plan", kUsage.c_str(), RunPlan, kHelp);

}  // namespace
}  // namespace mk::cli
