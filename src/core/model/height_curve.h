#pragma once
// The two curve records read from PAR and HNP files: the site-class
// dominant-height growth curve and the dominant-height–stem-number curve.

#include <string>

namespace mk {

struct HeightCurveParameters {
    // Folder of the PAR file + the survey file name recorded in it; the
    // yield table is written into its folder.
    std::string HeightCurveSource;
    int CurveKind = 0;  // 1 Mitscherlich, 2 logistic, 3 Gompertz
    double CurveM = 0.0;  // asymptotic height of the guide curve, m
    double CurveB = 0.0;
    double CurveK = 0.0;  // per year
    double BandCoefficient = 0.0;  // half-width of the site-class band, ln units
    double ResidualSumOfSquares = 0.0;
    bool HeightCurveLoaded = false;
    bool operator==(const HeightCurveParameters&) const = default;
};

void ClearHeightCurve(HeightCurveParameters& curve);

struct HnpParameters {
    // N = P4 - P1 exp(-P2 exp(-P3 H))
    double P1 = 0.0;
    double P2 = 0.0;
    double P3 = 0.0;
    double P4 = 0.0;
    std::string HnpSource;  // folder of the HNP file + its line 2
    bool HnpLoaded = false;
    bool operator==(const HnpParameters&) const = default;
};

void ClearHnp(HnpParameters& hnp);

// The stem number per ha of the HNP curve at dominant height H.
double HnpStems(const HnpParameters& hnp, double H);

}  // namespace mk
