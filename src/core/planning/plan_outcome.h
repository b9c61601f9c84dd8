#pragma once
// What each of the five plans came to, kept by the plan run as it writes
// the plan's rows: the figures the comparison of the plans is made from.

#include <array>

#include "core/yield/table_report.h"

namespace mk {

struct PlanOutcome {
    bool ran = false;
    int thinnings = 0;         // thinning rows written
    double thinnedVolume = 0;  // their thinned volumes together, m3/ha
    // Thinned before the end age: the part of the thinned volume the end
    // row's total yield counts (a thinning in the end year is in its volume).
    double thinnedBeforeEnd = 0;
    bool reachedEnd = false;  // the end (or target) age's row was written
    YearRowValues endRow;     // that row's stand, before any thinning of the year
};

// Index 1..5: plan k.
using PlanOutcomes = std::array<PlanOutcome, 6>;

}  // namespace mk
