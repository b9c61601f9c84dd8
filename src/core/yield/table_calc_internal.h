#pragma once
// Pieces of the simulation shared by its source files.

#include "core/yield/table_calc.h"

namespace mk::detail {

// SUBCALC with the bookkeeping to return to when the thinning is not made
// (the values before the method started to set them).
bool Subcalc(YieldState& ws, int kind, int age, int thinningNumber, Messages& messages,
             const ThinningBookkeeping& before);

// The thinning decision of a yield run for the year age (methods 1-6).
// False when a stem-number search could not reach its bound within its
// steps: the year cannot be computed (the bookkeeping is left as it was).
bool ThinningDecision(YieldState& ws, int age, Messages& messages, EventPump& pump);

// Ry of a stand, or fallback when the diagram type gives none.
double RyOr(const DensityDiagramParameters& d, double H, double N, double fallback);

}  // namespace mk::detail
