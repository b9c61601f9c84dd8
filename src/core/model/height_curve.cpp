#include "core/model/height_curve.h"

#include <cmath>

namespace mk {

void ClearHeightCurve(HeightCurveParameters& curve) { curve = HeightCurveParameters{}; }

void ClearHnp(HnpParameters& hnp) { hnp = HnpParameters{}; }

double HnpStems(const HnpParameters& hnp, double H) {
    return hnp.P4 - hnp.P1 * std::exp(-hnp.P2 * std::exp(-hnp.P3 * H));
}

}  // namespace mk
