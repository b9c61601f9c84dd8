#pragma once
// The schedule page's first proposal for methods 1-3: the unthinned stand
// is grown until its Ry first reaches 0.4 (age a*), and the first thinning
// is proposed one step before that age, height or diameter.

#include "core/yield/yield_state.h"

namespace mk {

struct ThinningProposal {
    int firstAge = 0;  // a0
    int aStar = 0;     // age at which Ry first reached 0.4 (last age grown)
    double heightAtStar = 0;
    double dbhAtStar = 0;
    int keyScale = 1;  // 1 for ages, 10 for heights and diameters
    double key0 = 0;   // the starting proposal, entry 0
    double rate0 = 0.1;
    double keyMaximum = 0;  // EndAge, SiteCurveScale or 70 cm
};

// Grows the stand from its first age (1 from planting, else CurrentAge) on
// the curve of the planting density (PlantingStemNumber or
// CurrentPlantingDensity). The year before the first age is not known
// here, so the full-density check starts with the second year.
ThinningProposal ProposeThinnings(const YieldState& ws);

// The proposal for the thinning after one at previousKey: one step (a year,
// a metre, a centimetre) later. The page proposes each thinning after the
// one the user chose before it, so a later thinning never comes earlier.
double ProposedKeyAfter(double previousKey);

// The proposal for thinning j (1..) when every thinning before it took its
// proposal: the starting key raised by j steps.
double ProposedKey(const ThinningProposal& proposal, int j);

}  // namespace mk
