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

// y - M exp(-b exp(-k t)): one observation's residual for the Gompertz fit.
double GompertzResidual(double M, double b, double k, double y, double t);

}  // namespace mk
