#pragma once
// What the yield simulation and the stand volume table work on: the loaded
// parameter sets, the run records the wizards fill, the working values and
// per-age arrays of the run, the result arrays the graphs read and the table
// file being composed. The planning records live one level up
// (PlanningState), the window flags at the top (Workspace).

#include <string>

#include "core/graphics/result_arrays.h"
#include "core/model/density_diagram.h"
#include "core/model/height_curve.h"
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

struct YieldState {
    DensityDiagramParameters Diagram;   // DensityDiagramParameters
    HeightCurveParameters HeightCurve;  // HeightCurveParameters
    HnpParameters Hnp;                  // HnpParameters
    std::string HnpFileName;            // the stand volume table's HNP file

    RunSettings Run;
    CurrentStandState CurrentStand;

    RunWorkingValues Working;
    YearArrays Years;
    ThinningBookkeeping Thinning;
    ResultArrays Results;
    int VolumeTableSiteClass = 1;  // 1..3 while a stand volume table runs
    TableFile OutputFile;          // the table file of the run in progress
    ResultTable LastTable;         // the table the last finished run wrote
};

}  // namespace mk
