#include "core/model/density_diagram.h"

#include <cmath>

namespace mk {

void ClearDensityDiagram(DensityDiagramParameters& diagram) {
    diagram.Prm.fill(0.0);
    diagram.DensityDiagramLoaded = false;
}

double Log10(double x) { return std::log(x) / std::log(10.0); }

double StandVolume(const DensityDiagramParameters& d, double H, double N) {
    const auto& p = d.Prm;
    return 1.0 / (p[1] * std::pow(H, p[2]) + p[3] * std::pow(H, p[4]) / N);
}

double FormHeight(const DensityDiagramParameters& d, double H, double N) {
    const auto& p = d.Prm;
    return p[5] + p[6] * H + H * (std::sqrt(N) * p[7]) / 100.0;
}

double BasalArea(const DensityDiagramParameters& d, double H, double N) {
    return StandVolume(d, H, N) / FormHeight(d, H, N);
}

double QuadraticMeanDbh(const DensityDiagramParameters& d, double H, double N) {
    // 3.14159 rather than full-precision pi: the diameters of every table
    // made with this diagram depend on it.
    return 200.0 * std::sqrt((BasalArea(d, H, N) / 3.14159) / N);
}

double MeanDbh(const DensityDiagramParameters& d, double H, double N) {
    const auto& p = d.Prm;
    return p[8] + p[9] * QuadraticMeanDbh(d, H, N) + H * (std::sqrt(N) * p[10]) / 100.0;
}

double FullDensityStems(const DensityDiagramParameters& d, double H) {
    const auto& p = d.Prm;
    return std::pow(H, p[12]) * std::pow(10.0, p[11]);
}

std::optional<double> YieldIndex(const DensityDiagramParameters& d, double H, double N) {
    const auto& p = d.Prm;
    if (p[0] == 1.0) {
        return StandVolume(d, H, N) / StandVolume(d, H, FullDensityStems(d, H));
    }
    if (p[0] == 2.0) {
        return StandVolume(d, H, N) /
               (std::pow(FullDensityStems(d, H), p[17]) * std::pow(10.0, p[16]));
    }
    return std::nullopt;
}

double StemsForVolume(const DensityDiagramParameters& d, double H, double V) {
    const auto& p = d.Prm;
    return p[3] * std::pow(H, p[4]) / (1.0 / V - p[1] * std::pow(H, p[2]));
}

double DiagramX(double N) { return 180.0 * Log10(N) - 120.0 - 120.0; }

double DiagramY(double V) { return 600.0 - 180.0 * Log10(V) - 10.0; }

}  // namespace mk
