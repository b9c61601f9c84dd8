#pragma once
// The natural-thinning line of the density diagram, anchored by a planting
// density P, and the search for the P whose line passes through a stand.

#include "core/model/density_diagram.h"

namespace mk {

class EventPump;

// curve(P, H): the stems per ha of an unthinned stand planted at P once its
// dominant height is H.
double NaturalThinningStems(const DensityDiagramParameters& d, double P, double H);

// density-through(H, N, bracket): the planting density between 100 and
// bracket whose natural-thinning curve passes through (H, N), found by
// bisection to 0.05 (or to a gap of 1e-12 of the bracket, where doubles are
// coarser than 0.05) in at most 1100 steps, and rounded to a whole number
// (halves to even). One pump.Pump() per bisection step. A bracket too small for any step
// (at most 100.05) gives the bracket itself, rounded, so that no caller is
// ever handed a planting density of 0. The callers store the result into
// their bracket variable.
double PlantingDensityThrough(const DensityDiagramParameters& d, double bracket, double N,
                              double H, EventPump& pump);

// The function whose root the bisection finds:
// f(x) = x^c (B + N A) - x^(c-1) (N B + N N A) - N.
double PlantingDensityGap(const DensityDiagramParameters& d, double x, double N, double H);

}  // namespace mk
