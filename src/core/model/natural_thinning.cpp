#include "core/model/natural_thinning.h"

#include <cmath>

#include "core/host/messages.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

// The height terms of the natural-thinning line, A(H) and B(H).
struct ThinningTerms {
    double A;
    double B;
};

ThinningTerms TermsAt(const DensityDiagramParameters& d, double H) {
    const auto& p = d.Prm;
    return {std::pow(H, p[2]) * (std::pow(10.0, p[14]) * (p[13] * p[1])),
            std::pow(H, p[4]) * (std::pow(10.0, p[14]) * (p[13] * p[3]))};
}

// The bisection narrows to 0.05 stems. Above about 4.5e14 two neighbouring
// doubles lie further apart than that, so it also stops once the gap is
// this small a part of the bracket (never first below 5e10 stems, so real
// stands are searched exactly as before) ...
constexpr double kAbsoluteGap = 0.05;
constexpr double kRelativeGap = 1e-12;
// ... and never takes more steps than halving the largest finite bracket
// down to that relative gap needs.
constexpr int kMaxBisectionSteps = 1100;

}  // namespace

double NaturalThinningStems(const DensityDiagramParameters& d, double P, double H) {
    const double c = d.Prm[15];
    const ThinningTerms t = TermsAt(d, H);
    const double a = t.A * std::pow(P, c);
    const double b = t.B * std::pow(P, c);
    const double u = b - P * (a - 1.0);
    const double s = std::sqrt(P * (a * 4.0 * b) + u * u);
    const double n1 = (-u + s) / 2.0 / a;
    const double n2 = (-u - s) / 2.0 / a;
    return P >= n1 ? n1 : n2;
}

double PlantingDensityGap(const DensityDiagramParameters& d, double x, double N, double H) {
    const double c = d.Prm[15];
    const ThinningTerms t = TermsAt(d, H);
    return std::pow(x, c) * (t.B + N * t.A) - std::pow(x, c - 1.0) * (N * t.B + N * N * t.A) - N;
}

double PlantingDensityThrough(const DensityDiagramParameters& d, double bracket, double N,
                              double H, EventPump& pump) {
    double lower = 100.0;
    double upper = bracket;
    // An infinite bracket would never narrow; treat it like one too small
    // to search.
    if (!std::isfinite(upper)) return bracket;
    const double f0 = PlantingDensityGap(d, 100.0, N, H);
    int steps = 0;
    double mid = 0.0;
    while (upper - lower >= kAbsoluteGap && upper - lower > kRelativeGap * upper &&
           steps < kMaxBisectionSteps) {
        pump.Pump();
        mid = (upper + lower) / 2.0;
        if (f0 * PlantingDensityGap(d, mid, N, H) >= 0.0) {
            lower = mid;
        } else {
            upper = mid;
        }
        ++steps;
    }
    // Without a single step there is no midpoint; the bracket itself keeps
    // the natural-thinning curve away from a planting density of 0.
    return RoundHalfEven(steps > 0 ? mid : bracket);
}

}  // namespace mk
