#include "core/model/site_class.h"

#include <cmath>

namespace mk {

std::string SiteClassName(int siteClass, std::string_view storedSiteText) {
    switch (siteClass) {
    case kSiteUpper: return "上";
    case kSiteMiddle: return "中";
    case kSiteLower: return "下";
    case kSiteMeasured: return std::string(storedSiteText);
    default: return {};
    }
}

std::optional<double> SiteCurveScale(const HeightCurveParameters& curve, int siteClass) {
    // Only the asymptote moves with the site class: the band is symmetric in
    // logarithmic height around the guide curve.
    switch (siteClass) {
    case kSiteUpper: return curve.CurveM * std::exp(curve.BandCoefficient);
    case kSiteMiddle: return curve.CurveM;
    case kSiteLower: return curve.CurveM * std::exp(-curve.BandCoefficient);
    default: return std::nullopt;
    }
}

std::optional<double> SiteHeight(double scale, int kind, double b, double k, int age) {
    const double t = static_cast<double>(age);
    switch (kind) {
    case 1: {
        // A Mitscherlich curve with b > 1 starts below zero; a stand is never
        // shorter than 0.25 m.
        double h = scale * (1.0 - b * std::exp(-k * t));
        if (h < 0.25) h = 0.25;
        return h;
    }
    case 2: return scale / (b * std::exp(-k * t) + 1.0);
    case 3: return scale * std::exp(-b * std::exp(-k * t));
    default: return std::nullopt;
    }
}

std::optional<double> SiteHeight(const HeightCurveParameters& curve, double scale, int age) {
    return SiteHeight(scale, curve.CurveKind, curve.CurveB, curve.CurveK, age);
}

std::string SiteClassText(double d) {
    if (d > 2.71) return "上の上";
    if (d > 0.46) return "上";
    if (d >= -0.46) return "中";
    if (d >= -2.71) return "下";
    return "下の下";
}

std::optional<MeasuredSite> SiteFromMeasuredStand(const HeightCurveParameters& curve, int age,
                                                  double height) {
    const std::optional<double> hm = SiteHeight(curve, curve.CurveM, age);
    if (!hm) return std::nullopt;
    const double deviation = std::log(height / *hm) / curve.BandCoefficient;
    if (!std::isfinite(deviation) || std::fabs(deviation) > 3.84) return std::nullopt;
    return MeasuredSite{deviation, curve.CurveM * height / *hm, SiteClassText(deviation)};
}

double GompertzResidual(double M, double b, double k, double y, double t) {
    return y - M * std::exp(-b * std::exp(-k * t));
}

}  // namespace mk
