#include "core/graphics/age_graph.h"

#include <algorithm>
#include <cmath>

#include "core/graphics/text_primitives.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

constexpr int kPlotLeft = 110;
constexpr int kPlotRight = 510;
constexpr int kPlotTop = 60;
constexpr int kPlotBottom = 380;
constexpr double kStemPixelsPerStem = 0.04;  // 8000 stems reach the top of the plot
constexpr double kMarkerRadius = 3;

// One axis of values on the right: its labels from the bottom up and how a
// value becomes a pixel y.
struct RightScale {
    std::array<const char*, 5> labels;
    const char* title;
    const AgeSeriesArray ResultArrays::*column;
    double factor;  // y = 380 - (value - offset) * factor
    double offset;
};

RightScale ScaleOf(int kind, bool large) {
    static constexpr std::array<const char*, 5> kLength{"0", "10", "20", "30", "40"};
    static constexpr std::array<const char*, 5> kLengthLarge{"0", "20", "40", "60", "80"};
    static constexpr std::array<const char*, 5> kVolume{"0", "200", "400", "600", "800"};
    static constexpr std::array<const char*, 5> kVolumeLarge{"0", "400", "800", "1200", "1600"};
    switch (kind) {
        case kHeightGraph:
            return {large ? kLengthLarge : kLength, "　上 層 樹 高 ｍ", &ResultArrays::PlanHeight,
                    large ? 4.0 : 8.0, 0};
        case kDbhGraph:
            return {large ? kLengthLarge : kLength, "平 均 胸 高 直 径 ㎝", &ResultArrays::PlanDbh,
                    large ? 4.0 : 8.0, 0};
        case kVolumeGraph:
            return {large ? kVolumeLarge : kVolume, "幹 材 積  m／ヘ　ク　タ　｜　ル",
                    &ResultArrays::PlanVolume, large ? 0.2 : 0.4, 0};
        case kRyGraph:
            return {{"0.2", "0.4", "0.6", "0.8", "1.0"},
                    "　収 量 比 数",
                    &ResultArrays::PlanRy,
                    400,
                    0.2};
        default:
            return {{"40", "60", "80", "100", "120"},
                    "　形  状  比",
                    &ResultArrays::PlanSlenderness,
                    400,
                    0.4};
    }
}

int ClampAge(int age) { return std::clamp(age, 0, kGraphMaxAge); }

double StemPixelY(double stems) { return kPlotBottom - stems * kStemPixelsPerStem; }

// A red marker filled solid red, leaving the surface's fill settings as
// they were.
void FilledStemMarker(Canvas& surface, double x, double y) {
    const Color fill = surface.FillColor();
    const FillStyle style = surface.GetFillStyle();
    surface.SetFillColor(colors::Red);
    surface.SetFillStyle(FillStyle::Solid);
    surface.Circle(x, y, kMarkerRadius, colors::Red);
    surface.SetFillColor(fill);
    surface.SetFillStyle(style);
}

void DrawStemGrid(Canvas& surface, const AgeAxisSettings& axis) {
    int label = 1;
    for (int n = 0; n <= 8000; n += 1000) {
        const int y = kPlotBottom - RoundToInt(n * kStemPixelsPerStem);
        surface.Line(kPlotLeft, y, kPlotRight, y, colors::Black);
        if (n % 2000 == 0) {
            DrawTextAt(surface, 60, y - 8, IntText(n));
            DrawTextAt(surface, 515, y - 8, axis.RightAxisLabels[label++]);
        }
    }
    DrawVerticalText(surface, 35, 50, "立木本数  本／ヘクタ｜ル");
}

void DrawAgeGrid(Canvas& surface, const AgeAxisSettings& axis) {
    if (axis.AgeTickStep <= 0) return;
    for (int e = 0; e <= axis.AgeAxisMax; e += axis.AgeTickStep) {
        const int x = AgeGraphX(axis, e);
        surface.Line(x, kPlotTop, x, kPlotBottom, colors::Black);
        if (e % (2 * axis.AgeTickStep) == 0) DrawTextAt(surface, x - 16, 385, IntText(e));
    }
    DrawTextAt(surface, 290, 400, "林   齢（年）");
}

void DrawStemCurve(Canvas& surface, const AgeAxisSettings& axis, const AgeSeriesArray& stems,
                   int series, int startAge, int endAge) {
    const int first = ClampAge(startAge);
    const int last = ClampAge(endAge);
    if (first > last || series < 1 || series > kSeriesCount) return;
    const double x0 = AgeGraphX(axis, first);
    const double y0 = StemPixelY(stems[first][series]);
    surface.Point(x0, y0, colors::Red);
    surface.Circle(x0, y0, kMarkerRadius, colors::Red);
    for (int a = first + 1; a <= last; ++a) {
        const double x = AgeGraphX(axis, a);
        const double y = StemPixelY(stems[a][series]);
        surface.LineTo(x, y, colors::Red);
        if (a % 5 == 0 || a == last) FilledStemMarker(surface, x, y);
    }
}

}  // namespace

const char* AgeGraphTitle(int kind) {
    switch (kind) {
        case kHeightGraph:
            return "林齢－上層樹高";
        case kDbhGraph:
            return "林齢－平均胸高直径";
        case kVolumeGraph:
            return "林齢－幹材積";
        case kRyGraph:
            return "林齢－収量比数";
        case kSlendernessGraph:
            return "林齢－形状比";
        default:
            return "";
    }
}

void ChooseAgeAxis(int endAge, AgeAxisSettings& axis) {
    if (endAge <= 50) {
        axis.AgeAxisMax = 50;
        axis.AgeTickStep = 5;
        axis.PixelsPerYear = 8;
    } else if (endAge <= 100) {
        axis.AgeAxisMax = 100;
        axis.AgeTickStep = 10;
        axis.PixelsPerYear = 4;
    } else {
        axis.AgeAxisMax = 200;
        axis.AgeTickStep = 20;
        axis.PixelsPerYear = 2;
    }
}

bool SetRightAxis(int kind, const AgeGraphRun& run, AgeAxisSettings& axis) {
    if (kind < kHeightGraph || kind > kSlendernessGraph || run.results == nullptr) return false;
    const RightScale scale = ScaleOf(kind, run.siteCurveScale >= run.largeScaleFrom);
    for (int i = 0; i < 5; ++i) axis.RightAxisLabels[i + 1] = scale.labels[i];
    axis.RightAxisTitle = scale.title;
    const AgeSeriesArray& column = run.results->*scale.column;
    if (run.series < 1 || run.series > kSeriesCount) return true;
    for (int a = ClampAge(run.startAge); a <= ClampAge(run.endAge); ++a) {
        const double value = column[a][run.series];
        axis.SeriesY[a] = RoundToInt(kPlotBottom - (value - scale.offset) * scale.factor);
    }
    return true;
}

void DrawStemFrame(Canvas& surface, const AgeAxisSettings& axis, const AgeSeriesArray& stems,
                   int series, int startAge, int endAge, const std::function<void()>& underCurves) {
    surface.SetInkColor(colors::Black);
    DrawStemGrid(surface, axis);
    DrawAgeGrid(surface, axis);
    if (underCurves) underCurves();
    DrawStemCurve(surface, axis, stems, series, startAge, endAge);
    DrawVerticalText(surface, 550, 50, axis.RightAxisTitle);
}

void DrawSeriesCurve(Canvas& surface, const AgeAxisSettings& axis, int endAge, int startAge,
                     int pixelsPerYear) {
    const int first = ClampAge(startAge);
    const int last = ClampAge(endAge);
    if (first > last) return;
    auto x = [&](int a) { return 110.0 + a * pixelsPerYear; };
    surface.Point(x(first), axis.SeriesY[first], colors::Blue);
    const Color fill = surface.FillColor();
    const FillStyle style = surface.GetFillStyle();
    surface.SetFillColor(colors::Blue);
    surface.SetFillStyle(FillStyle::Solid);
    surface.Circle(x(first), axis.SeriesY[first], kMarkerRadius, colors::Blue);
    for (int a = first + 1; a <= last; ++a) {
        surface.LineTo(x(a), axis.SeriesY[a], colors::Blue);
        if (a % 5 == 0 || a == last)
            surface.Circle(x(a), axis.SeriesY[a], kMarkerRadius, colors::Blue);
    }
    surface.SetFillColor(fill);
    surface.SetFillStyle(style);
}

void DrawAgeGraph(Canvas& surface, int kind, const AgeGraphRun& run, AgeAxisSettings& axis,
                  const AgeGraphRun* baseline) {
    surface.Clear();
    ChooseAgeAxis(run.endAge, axis);
    if (!SetRightAxis(kind, run, axis)) return;
    std::function<void()> underCurves;
    if (baseline != nullptr) {
        underCurves = [&] { DrawBaselineCurves(surface, kind, *baseline, axis); };
    }
    DrawStemFrame(surface, axis, run.results->PlanStems, run.series, run.startAge, run.endAge,
                  underCurves);
    if (kind == kVolumeGraph) DrawVerticalText(surface, 560, 155, "3");
    DrawSeriesCurve(surface, axis, run.endAge, run.startAge, axis.PixelsPerYear);
}

void DrawBaselineCurves(Canvas& surface, int kind, const AgeGraphRun& baseline,
                        const AgeAxisSettings& axis) {
    AgeAxisSettings own = axis;
    if (!SetRightAxis(kind, baseline, own) || baseline.series < 1 || baseline.series > kSeriesCount)
        return;
    const int first = ClampAge(baseline.startAge);
    const int last = ClampAge(baseline.endAge);
    for (int a = first + 1; a <= last; ++a) {
        const double x0 = AgeGraphX(axis, a - 1), x1 = AgeGraphX(axis, a);
        const auto& stems = baseline.results->PlanStems;
        surface.Line(x0, StemPixelY(stems[a - 1][baseline.series]), x1,
                     StemPixelY(stems[a][baseline.series]), kBaselineStemColor);
        surface.Line(x0, own.SeriesY[a - 1], x1, own.SeriesY[a], kBaselineSeriesColor);
    }
}

}  // namespace mk
