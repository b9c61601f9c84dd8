#pragma once
// The working values that the yield simulation and the plan simulation share:
// the stand of every age of the run being computed, and the bookkeeping of
// the thinning of the year being processed.

#include "core/graphics/result_arrays.h"

namespace mk {

using AgeArray = double[kMaxAge + 1];

// Index = age 0..200. Except under the slenderness method, the stand before
// that year's thinning.
struct YearArrays {
    AgeArray YearHeight{};  // m
    AgeArray YearDbh{};     // cm
    AgeArray YearVolume{};  // m3/ha
    AgeArray YearRy{};
    AgeArray YearSlenderness{};  // H/D
    AgeArray YearStems{};        // stems/ha
};

struct ThinningBookkeeping {
    double StemsAfter = 0;
    double StemsThinned = 0;
    double StemThinningRate = 0;  // % of the stems before
    double VolumeAfter = 0;
    double VolumeThinned = 0;
    double VolumeThinningRate = 0;  // whole %
    double CumulativeThinnedVolume = 0;
    double BasalAreaBefore = 0;
    double BasalAreaAfter = 0;
    double BasalAreaThinned = 0;
    double DbhAfter = 0;
    double ThinnedDbh = 0;
    double RyAfter = 0;
};

// Copies ages 0..200 of every per-age array into one series of the result
// arrays.
void CopyToResultSeries(const YearArrays& years, ResultArrays& results, int series);

}  // namespace mk
