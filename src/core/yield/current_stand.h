#pragma once
// What the starting-stand page computes for a run from the stand as it is
// now: its dominant height, the range of stem numbers it may have, and the
// stand values shown while the user moves the sliders.

#include <array>
#include <optional>
#include <string>

#include "core/yield/yield_state.h"

namespace mk {

class EventPump;

// The dominant height of the current stand: the measured height for a site
// class found by calculation (4), else the site curve's height at age.
// Empty when the curve gives no height (unknown curve kind).
std::optional<double> CurrentHeightAt(const RunSettings& run, const CurrentStandState& stand,
                                      const HeightCurveParameters& curve, int age);

struct StemNumberRange {
    int minimum = 200;
    int maximum = 0;
    int start = 0;
    int largeStep = 0;
};

// 200 .. the full-density stem number at height (at most 10000), starting
// half way.
StemNumberRange StemNumberRangeFor(const DensityDiagramParameters& diagram, double height);

// "現在の立木本数(200-" + maximum + ")"
std::string StemNumberLabel(const StemNumberRange& range);

// Sets CurrentPlantingDensity (density-through with the bracket 3 x stems),
// CurrentVolume, CurrentDbh, CurrentSlenderness (x 100) and CurrentRy (not a
// number for a diagram type that gives none) for the stand (CurrentHeight,
// stems).
void RefreshCurrentStand(const DensityDiagramParameters& diagram, CurrentStandState& stand,
                         int stems, EventPump& pump);

// Ry as the page and the confirmation show it: "0.00", or "－" when the
// diagram gives none.
std::string CurrentRyText(double ry);

// The six display boxes: height, volume, DBH ("0.0"), Ry (CurrentRyText),
// slenderness ("0.0") and planting density in whole stems ("0").
std::array<std::string, 6> CurrentStandDisplay(const CurrentStandState& stand);

}  // namespace mk
