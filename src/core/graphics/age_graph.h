#pragma once
// The five graphs over age of a run: dominant height, mean DBH, stem
// volume, yield index and slenderness (kinds 1..5), each drawn in blue over
// the stem number per hectare in red.

#include "core/graphics/age_axis.h"
#include "core/graphics/canvas.h"
#include "core/graphics/result_arrays.h"

namespace mk {

enum AgeGraphKind {
    kHeightGraph = 1,
    kDbhGraph = 2,
    kVolumeGraph = 3,
    kRyGraph = 4,
    kSlendernessGraph = 5,
};

// What one age graph shows: one series of the result arrays over a range
// of ages.
struct AgeGraphRun {
    const ResultArrays* results = nullptr;
    int series = 1;  // 1..5
    int startAge = 1;
    int endAge = 1;
    // Chooses the scale of the height, DBH and volume graphs: at or above
    // largeScaleFrom the axes reach 80 m, 80 cm and 1600 m3.
    double siteCurveScale = 0;
    double largeScaleFrom = kYieldLargeScaleFrom;

    static constexpr double kYieldLargeScaleFrom = 20;
    static constexpr double kPlanLargeScaleFrom = 30;
};

// The series a result window shows: the chosen site class of a stand volume
// table (by site), else the one series of a yield table.
inline int AgeGraphSeries(bool bySite, int volumeTableSiteClass) {
    return bySite ? volumeTableSiteClass : 1;
}

// The caption of a graph kind ("林齢－上層樹高" …); empty outside 1..5.
const char* AgeGraphTitle(int kind);

// Clears the picture and draws graph kind 1..5 of the run. The axis
// settings are left as drawn (SeriesY holds the blue curve).
void DrawAgeGraph(Canvas& surface, int kind, const AgeGraphRun& run, AgeAxisSettings& axis);

// Right-axis labels and title of a kind, and SeriesY of every age of the
// run from that kind's series. False for a kind outside 1..5.
bool SetRightAxis(int kind, const AgeGraphRun& run, AgeAxisSettings& axis);

// The axes, grid and texts of an age graph and the stem-number curve of
// the given stems column, in red: a marker at the first age drawn with the
// surface's own fill settings (hollow by default), filled markers every
// fifth year and at the last age.
void DrawStemFrame(Canvas& surface, const AgeAxisSettings& axis, const AgeSeriesArray& stems,
                   int series, int startAge, int endAge);

// The blue curve of SeriesY from startAge to endAge, with filled markers at
// the first age, every fifth year and the last age.
void DrawSeriesCurve(Canvas& surface, const AgeAxisSettings& axis, int endAge, int startAge,
                     int pixelsPerYear);

}  // namespace mk
