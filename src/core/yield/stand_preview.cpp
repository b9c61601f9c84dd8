#include "core/yield/stand_preview.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/graphics/clip_segment.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/graphics/null_canvas.h"
#include "core/host/recording_messages.h"
#include "core/model/density_diagram.h"
#include "core/text/number_format.h"
#include "core/yield/run_checks.h"
#include "core/yield/table_calc.h"

namespace mk {

namespace {

// Keeps each year's total yield; the stand itself is in the state's arrays.
class TotalYields final : public YearSink {
public:
    explicit TotalYields(InMemoryRun& run) : run_(run) {}
    void Year(const YearRowValues& row, bool, const ThinningBookkeeping&,
              double totalYield) override {
        if (row.age < 0 || row.age > kMaxAge) return;
        run_.totalYield[row.age] = totalYield;
        run_.lastAge = row.age;
    }

private:
    InMemoryRun& run_;
};

// The run's first age as the simulation takes it.
int FirstAge(const RunSettings& run) {
    return run.StemSettingMethod == 1 ? 1 : std::clamp(run.CurrentAge, 1, kMaxAge + 1);
}

// Runs a copy of state on picture; the copy keeps the years reached.
InMemoryRun Simulate(const YieldState& state, bool unthinned, Canvas& picture) {
    InMemoryRun result;
    result.firstAge = FirstAge(state.Run);
    result.lastAge = result.firstAge - 1;
    // Only the record, the parameters and the current stand matter to a run;
    // the copy keeps the caller's arrays and open table out of reach.
    YieldState copy;
    copy.Diagram = state.Diagram;
    copy.HeightCurve = state.HeightCurve;
    copy.Run = state.Run;
    copy.CurrentStand = state.CurrentStand;
    if (unthinned) {
        // A schedule with no entries: the stand only thins itself.
        copy.Run.ThinningMethod = 1;
        copy.Run.ThinningCount = 0;
    }
    RecordingMessages messages;
    if (!CheckDiagramType(copy.Diagram, "TABLECALC", messages)) {
        result.stopped = true;
        result.message = messages.shown().front().text;
        return result;
    }
    PrepareRunSettings(copy);
    NullEventPump pump;
    TotalYields sink(result);
    result.stopped = SimulateYears(copy, kYieldTableMode, picture, {}, messages, pump, sink);
    result.years = copy.Years;
    if (!messages.shown().empty()) result.message = messages.shown().front().text;
    return result;
}

struct Point2 {
    double x = 0;
    double y = 0;
};

// Draws the part of a segment inside the diagram's plot area.
void FrameLine(Canvas& picture, Point2 a, Point2 b, Color color) {
    const DiagramFrame f = DensityDiagramFrame();
    if (!ClipSegment(a.x, a.y, b.x, b.y, f.left + 1, f.top + 1, f.right - 1, f.bottom - 1)) return;
    picture.Line(a.x, a.y, b.x, b.y, color);
}

// Hatch lines between two neighbouring edge points: enough to shade the
// band solidly, while the edges themselves need far fewer points.
constexpr int kHatchesPerStep = 6;

// Shades the band between two edges whose points correspond one to one,
// then draws the edges over the shading.
void ShadeBand(Canvas& picture, const std::vector<std::optional<Point2>>& upper,
               const std::vector<std::optional<Point2>>& lower) {
    const std::size_t n = std::min(upper.size(), lower.size());
    auto between = [](Point2 a, Point2 b, double t) {
        return Point2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (!upper[i] || !lower[i]) continue;
        FrameLine(picture, *upper[i], *lower[i], kBoundShadeColor);
        if (i + 1 >= n || !upper[i + 1] || !lower[i + 1]) continue;
        for (int h = 1; h < kHatchesPerStep; ++h) {
            const double t = static_cast<double>(h) / kHatchesPerStep;
            FrameLine(picture, between(*upper[i], *upper[i + 1], t),
                      between(*lower[i], *lower[i + 1], t), kBoundShadeColor);
        }
    }
    for (const auto* edge : {&upper, &lower}) {
        for (std::size_t i = 1; i < edge->size(); ++i) {
            if ((*edge)[i - 1] && (*edge)[i])
                FrameLine(picture, *(*edge)[i - 1], *(*edge)[i], kBoundEdgeColor);
        }
    }
}

constexpr int kEdgePoints = 48;

bool Usable(double v) { return std::isfinite(v) && v > 0; }

// The yield-index line ry as the diagram draws it: straight from its point
// at 40 m to its point at 4 m dominant height.
std::vector<std::optional<Point2>> RyEdge(const DensityDiagramParameters& d, double ry) {
    std::vector<std::optional<Point2>> edge(kEdgePoints + 1);
    const double v40 = ry * StandVolume(d, 40, FullDensityStems(d, 40));
    const double v4 = ry * StandVolume(d, 4, FullDensityStems(d, 4));
    const double n40 = StemsForVolume(d, 40, v40);
    const double n4 = StemsForVolume(d, 4, v4);
    if (!Usable(v40) || !Usable(v4) || !Usable(n40) || !Usable(n4)) return edge;
    const Point2 a{DiagramX(n40), DiagramY(v40)};
    const Point2 b{DiagramX(n4), DiagramY(v4)};
    for (int i = 0; i <= kEdgePoints; ++i) {
        const double t = static_cast<double>(i) / kEdgePoints;
        edge[static_cast<std::size_t>(i)] = Point2{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    }
    return edge;
}

// The stem number at which a stand of height H has slenderness H/D, found
// on the diagram's stem-number range; none when it lies outside.
std::optional<double> StemsForSlenderness(const DensityDiagramParameters& d, double H,
                                          double slenderness) {
    auto excess = [&](double logN) {
        return H / MeanDbh(d, H, std::pow(10.0, logN)) - slenderness;
    };
    double lo = 2, hi = 4;  // 100 .. 10000 stems
    const double fLo = excess(lo), fHi = excess(hi);
    if (!std::isfinite(fLo) || !std::isfinite(fHi) || (fLo > 0) == (fHi > 0)) return std::nullopt;
    // 24 halvings leave a small fraction of a pixel.
    for (int i = 0; i < 24; ++i) {
        const double mid = (lo + hi) / 2;
        const double f = excess(mid);
        if (!std::isfinite(f)) return std::nullopt;
        ((f > 0) == (fLo > 0) ? lo : hi) = mid;
    }
    return std::pow(10.0, (lo + hi) / 2);
}

// The line of equal slenderness, point by point over dominant heights.
std::vector<std::optional<Point2>> SlendernessEdge(const DensityDiagramParameters& d,
                                                   double slenderness) {
    std::vector<std::optional<Point2>> edge;
    for (int i = 0; i <= kEdgePoints; ++i) {
        const double H = 4 + 36.0 * i / kEdgePoints;
        std::optional<Point2> point;
        if (const auto n = StemsForSlenderness(d, H, slenderness)) {
            const double v = StandVolume(d, H, *n);
            if (Usable(v)) point = Point2{DiagramX(*n), DiagramY(v)};
        }
        edge.push_back(point);
    }
    return edge;
}

std::string Amount(double v) { return FormatNumber(v, "0.0"); }

}  // namespace

InMemoryRun RunInMemory(const YieldState& state, bool unthinned) {
    NullCanvas nowhere;
    return Simulate(state, unthinned, nowhere);
}

void DrawRunPath(const YieldState& state, Canvas& picture) { Simulate(state, false, picture); }

std::string PreviewRefusal(const YieldState& state) {
    std::string refusal = EndAgeRefusal(state.Run);
    if (refusal.empty()) refusal = ScheduleRefusal(state.Run);
    return refusal;
}

PreviewOutcome DrawStandPreview(const YieldState& state, Canvas& picture) {
    DrawDensityDiagram(picture, state.Diagram);
    return DrawStandPreviewOver(state, picture);
}

PreviewOutcome DrawStandPreviewOver(const YieldState& state, Canvas& picture) {
    PreviewOutcome outcome;
    outcome.note = PreviewRefusal(state);
    if (!outcome.note.empty()) return outcome;
    DrawThinningBounds(picture, state.Diagram, state.Run);
    const InMemoryRun run = Simulate(state, false, picture);
    outcome.pathDrawn = run.lastAge >= run.firstAge;
    outcome.note = run.message;
    return outcome;
}

void DrawThinningBounds(Canvas& picture, const DensityDiagramParameters& diagram,
                        const RunSettings& run) {
    switch (run.ThinningMethod) {
        case 4: {
            const auto line = RyEdge(diagram, run.RyTarget);
            ShadeBand(picture, line, line);
            break;
        }
        case 5:
            ShadeBand(picture, RyEdge(diagram, run.RyUpper), RyEdge(diagram, run.RyLower));
            break;
        case 6:
            ShadeBand(picture, SlendernessEdge(diagram, run.SlendernessUpper),
                      SlendernessEdge(diagram, run.SlendernessLower));
            break;
        default:
            break;
    }
}

void DrawBaselinePath(Canvas& picture, const InMemoryRun& baseline) {
    std::optional<Point2> previous;
    for (int a = std::max(baseline.firstAge, 0); a <= baseline.lastAge && a <= kMaxAge; ++a) {
        const double n = baseline.years.YearStems[a];
        const double v = baseline.years.YearVolume[a];
        if (!Usable(n) || !(v >= 20)) {
            previous.reset();
            continue;
        }
        const Point2 p{DiagramX(n), DiagramY(v)};
        if (previous) FrameLine(picture, *previous, p, kBaselineColor);
        previous = p;
    }
}

std::string BaselineComparisonText(const InMemoryRun& regime, const InMemoryRun& baseline) {
    const int age = std::min(regime.lastAge, baseline.lastAge);
    if (age < std::max(regime.firstAge, baseline.firstAge) || age < 0 || age > kMaxAge) return {};
    const double mine = regime.totalYield[age];
    const double other = baseline.totalYield[age];
    std::string text = IntText(age) + "年生の総収穫量は " + Amount(mine) +
                       " m3/ha で、間伐しない場合（" + Amount(other) + " m3/ha）";
    const double difference = mine - other;
    if (Amount(std::abs(difference)) == "0.0") return text + "と同じです。";
    return text + "より " + Amount(std::abs(difference)) + " m3/ha " +
           (difference > 0 ? "多く" : "少なく") + "なります。";
}

}  // namespace mk
