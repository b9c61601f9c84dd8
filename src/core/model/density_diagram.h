#pragma once
// The stand density control diagram: its 18 coefficients and the stand
// values that follow from them for a dominant height H (m) and a stem
// number N (stems per ha). Every equation is evaluated in the order it is
// written, so that tables agree bit for bit with an independent computation.

#include <array>
#include <optional>

namespace mk {

struct DensityDiagramParameters {
    // Prm[0] type (1 or 2), Prm[1..4] yield-density equation, Prm[5..7]
    // form height, Prm[8..10] mean diameter, Prm[11..12] full-density line,
    // Prm[13..15] natural thinning, Prm[16..17] full-density volume line.
    std::array<double, 18> Prm{};
    bool DensityDiagramLoaded = false;
    bool operator==(const DensityDiagramParameters&) const = default;
};

// Every coefficient 0 and the loaded flag false.
void ClearDensityDiagram(DensityDiagramParameters& diagram);

// V = 1 / (b1 H^b2 + b3 H^b4 / N), m3 per ha.
double StandVolume(const DensityDiagramParameters& d, double H, double N);
// HF = f1 + f2 H + H (sqrt(N) f3) / 100, m.
double FormHeight(const DensityDiagramParameters& d, double H, double N);
// G = V / HF, m2 per ha.
double BasalArea(const DensityDiagramParameters& d, double H, double N);
// Dq = 200 sqrt((G / 3.14159) / N), cm.
double QuadraticMeanDbh(const DensityDiagramParameters& d, double H, double N);
// D = d1 + d2 Dq + H (sqrt(N) d3) / 100, cm.
double MeanDbh(const DensityDiagramParameters& d, double H, double N);
// NRf = H^b x 10^a, the stem number on the full-density line.
double FullDensityStems(const DensityDiagramParameters& d, double H);
// Ry for diagram types 1 and 2; empty for any other type, and the caller
// then keeps whatever value it held.
std::optional<double> YieldIndex(const DensityDiagramParameters& d, double H, double N);
// The stem number whose volume at height H is V (inverse of StandVolume).
double StemsForVolume(const DensityDiagramParameters& d, double H, double V);

// Plot coordinates on the density diagram picture (180 units per decade):
// x = 180 log10 N - 120 - 120, y = 600 - 180 log10 V - 10.
double DiagramX(double N);
double DiagramY(double V);

// log10 as ln(x) / ln(10), the form every equation of the program uses.
double Log10(double x);

}  // namespace mk
