#include "core/yield/current_stand.h"

#include <cmath>
#include <limits>

#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/text/number_format.h"

namespace mk {

namespace {

// The bars hold 16-bit values.
int RoundToShort(double value) {
    int v = RoundToInt(value);
    if (v > 32767) v = 32767;
    if (v < -32768) v = -32768;
    return v;
}

}  // namespace

std::optional<double> CurrentHeightAt(const RunSettings& run, const CurrentStandState& stand,
                                      const HeightCurveParameters& curve, int age) {
    if (run.SiteClass == kSiteMeasured) return stand.SiteCalcHeight;
    return SiteHeight(curve, run.SiteCurveScale, age);
}

StemNumberRange StemNumberRangeFor(const DensityDiagramParameters& diagram, double height) {
    double n = FullDensityStems(diagram, height);
    if (n > 10000) n = 10000;
    StemNumberRange range;
    range.maximum = RoundToShort(n - 0.5);
    range.start = RoundToShort(range.maximum / 2.0 - 0.5);
    range.largeStep = RoundToInt((range.maximum - 200) / 10.0);
    return range;
}

std::string StemNumberLabel(const StemNumberRange& range) {
    return "現在の立木本数(200-" + IntText(range.maximum) + ")";
}

void RefreshCurrentStand(const DensityDiagramParameters& d, CurrentStandState& stand, int stems,
                         EventPump& pump) {
    const double h = stand.CurrentHeight;
    const double n = stems;
    stand.CurrentPlantingDensity = PlantingDensityThrough(d, 3.0 * n, n, h, pump);
    stand.CurrentVolume = StandVolume(d, h, n);
    stand.CurrentDbh = MeanDbh(d, h, n);
    stand.CurrentSlenderness = h / stand.CurrentDbh * 100;
    // A diagram of a type without a yield index gives none: the stand has no
    // Ry rather than the one of the stand shown before.
    const std::optional<double> ry = YieldIndex(d, h, n);
    stand.CurrentRy = ry ? *ry : std::numeric_limits<double>::quiet_NaN();
}

std::string CurrentRyText(double ry) { return std::isfinite(ry) ? FormatNumber(ry, "0.00") : "－"; }

std::array<std::string, 6> CurrentStandDisplay(const CurrentStandState& s) {
    return {FormatNumber(s.CurrentHeight, "0.0"),      FormatNumber(s.CurrentVolume, "0.0"),
            FormatNumber(s.CurrentDbh, "0.0"),         CurrentRyText(s.CurrentRy),
            FormatNumber(s.CurrentSlenderness, "0.0"), FormatNumber(s.CurrentPlantingDensity, "0")};
}

}  // namespace mk
