#pragma once
// Everything a session of the program keeps while it runs: the loaded
// parameter sets, the run records the wizards fill, the working values and
// per-age arrays of the simulations, the result arrays the graphs read, and
// the flags that keep the windows from stepping on one another. One
// Workspace is owned by the application (and by each test or batch run);
// the core functions take the parts they need.

#include <string>

#include "core/model/density_diagram.h"
#include "core/model/height_curve.h"
#include "core/planning/plan_settings.h"
#include "core/yield/result_arrays.h"
#include "core/yield/result_table.h"
#include "core/yield/run_settings.h"
#include "core/yield/run_working_values.h"
#include "core/yield/year_arrays.h"

namespace mk {

// A table file being composed: the whole text is kept and saved at once
// when the run closes it, so that a failed run never leaves half a file
// behind an existing one.
struct TableFile {
    std::string path;  // empty: no file open
    std::string text;  // UTF-8, lines ending in CR LF
    // The same rows as figures, and every simulated year between them, for
    // the exports.
    TableKind kind = TableKind::Yield;
    std::vector<TableRow> rows;
    bool IsOpen() const { return !path.empty(); }
};

struct WindowFlags {
    int OpenResultWindow = 0;  // 0 none, 3 yield table, 4 stand volume table
    int PlanWindowOpen = 0;    // 0 none, 2 open
    int AllImageViewOpen = 0;  // -1 while the all-image view is open
    int ResultMode = 0;        // 0 yield table, 1 stand volume table
    int WizardResult = 0;      // 0 cancelled, 1 next / finished, 2 back
};

struct Workspace {
    DensityDiagramParameters Diagram;   // DensityDiagramParameters
    HeightCurveParameters HeightCurve;  // HeightCurveParameters
    HnpParameters Hnp;                  // HnpParameters
    std::string HnpFileName;            // the stand volume table's HNP file

    RunSettings Run;
    CurrentStandState CurrentStand;
    PlanSettings Plan;
    PlanWorkingValues PlanWorking;

    RunWorkingValues Working;
    YearArrays Years;
    ThinningBookkeeping Thinning;
    ResultArrays Results;
    int VolumeTableSiteClass = 1;  // 1..3 while a stand volume table runs
    TableFile OutputFile;          // the table file of the run in progress
    ResultTable LastTable;         // the table the last finished run wrote

    WindowFlags Flags;
};

}  // namespace mk
