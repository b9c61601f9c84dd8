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

double GompertzResidual(double M, double b, double k, double y, double t) {
    return y - M * std::exp(-b * std::exp(-k * t));
}

}  // namespace mk
