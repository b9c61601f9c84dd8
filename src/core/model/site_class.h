#pragma once
// Site classes and the dominant-height growth curves.

#include <optional>
#include <string>
#include <string_view>

#include "core/model/height_curve.h"

namespace mk {

// Site class codes as stored in RunSettings.
inline constexpr int kSiteUpper = 1;    // 上
inline constexpr int kSiteMiddle = 2;   // 中
inline constexpr int kSiteLower = 3;    // 下
inline constexpr int kSiteMeasured = 4; // 不明: found from a measured stand

// "上", "中", "下" for 1..3; for 4 the text the site class calculation
// stored (storedSiteText); empty for any other code.
std::string SiteClassName(int siteClass, std::string_view storedSiteText = {});

// The asymptote of the site class's curve: CurveM x exp(±BandCoefficient)
// for 上 and 下, CurveM for 中. Empty for any other code: a measured stand's
// scale (code 4) is found by the site class calculation and kept by the
// caller.
std::optional<double> SiteCurveScale(const HeightCurveParameters& curve, int siteClass);

// Dominant height (m) at an integer age on the curve of the given scale:
// kind 1 M (1 - b e^(-kt)) raised to at least 0.25 m, kind 2
// M / (b e^(-kt) + 1), kind 3 M e^(-b e^(-kt)). Empty for any other kind
// (the caller's value stays as it was).
std::optional<double> SiteHeight(double scale, int kind, double b, double k, int age);

// The same for the loaded curve at the given scale.
std::optional<double> SiteHeight(const HeightCurveParameters& curve, double scale, int age);

// A stand of unknown site class, measured at an age with a dominant height:
// its deviation from the middle curve in band units (ln(h / hm) divided by
// the band coefficient), the class that deviation falls in, and the scale
// of the curve through the stand.
struct MeasuredSite {
    double deviation = 0;
    double scale = 0;
    std::string classText;  // "上の上", "上", "中", "下" or "下の下"
};

// The class of a deviation: above 2.71 "上の上", above 0.46 "上", down to
// -0.46 "中", down to -2.71 "下", below that "下の下".
std::string SiteClassText(double deviation);

// The site class calculation for (age, height). Empty when the stand lies
// more than 3.84 band units off the middle curve, or when the deviation
// cannot be computed (no curve, no height): such a stand is not believed.
std::optional<MeasuredSite> SiteFromMeasuredStand(const HeightCurveParameters& curve, int age,
                                                  double height);

// y - M exp(-b exp(-k t)): one observation's residual for the Gompertz fit.
double GompertzResidual(double M, double b, double k, double y, double t);

}  // namespace mk
