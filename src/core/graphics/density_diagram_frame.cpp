#include "core/graphics/density_diagram_frame.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/graphics/text_primitives.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

constexpr double kMaxDiagramStems = 10000;
constexpr int kIsolineStep = 100;

bool Usable(double v) { return std::isfinite(v) && v > 0; }

void DrawGrid(Canvas& surface, const DiagramFrame& f) {
    auto vertical = [&](double n) {
        const int x = DiagramPixelX(n);
        surface.Line(x, f.top, x, f.bottom, colors::Black);
    };
    auto horizontal = [&](double v) {
        const int y = DiagramPixelY(v);
        surface.Line(f.left, y, f.right, y, colors::Black);
    };
    for (int n = 100; n <= 900; n += 100) vertical(n);
    for (int n = 1000; n <= 10000; n += 1000) vertical(n);
    for (int v = 20; v <= 100; v += 10) horizontal(v);
    for (int v = 200; v <= 1000; v += 100) horizontal(v);
}

// One line of equal dominant height, from 30 % of the full-density volume
// (but not below the 20 m3 of the frame's bottom) up to the full-density
// line or the right edge of the frame, whichever comes first.
void DrawHeightIsoline(Canvas& surface, const DensityDiagramParameters& d, int height) {
    const double h = height;
    const double fullStems = FullDensityStems(d, h);
    const double fullVolume = StandVolume(d, h, fullStems);
    if (!Usable(fullStems) || !Usable(fullVolume)) return;
    const int lowVolume = std::max(RoundToInt(fullVolume * 0.3), 20);
    const double fromReal = StemsForVolume(d, h, lowVolume);
    if (!Usable(fromReal)) return;
    const int from = RoundToInt(fromReal);
    const int to = RoundToInt(std::min(fullStems, kMaxDiagramStems));
    if (from < 1) return;

    auto pointY = [&](int n) { return DiagramPixelY(RoundToInt(StandVolume(d, h, n))); };
    const int firstX = DiagramPixelX(from);
    const int firstY = pointY(from);
    DrawTextAt(surface, firstX - 14, firstY, IntText(height));
    surface.Point(firstX, firstY, colors::Red);
    for (int n = from; n <= to; n += kIsolineStep) {
        const double v = StandVolume(d, h, n);
        if (!Usable(v)) break;
        surface.LineTo(DiagramPixelX(n), pointY(n), colors::Red);
    }
}

std::string YieldIndexLabel(int tenths) {
    return tenths == 10 ? std::string("1") : "0." + IntText(tenths);
}

// A straight line of equal yield index, from its point at 40 m down to its
// point at 4 m dominant height.
void DrawYieldIndexLine(Canvas& surface, const DensityDiagramParameters& d, int tenths) {
    const double ry = tenths / 10.0;
    const double v40 = StandVolume(d, 40, FullDensityStems(d, 40));
    const double v4 = StandVolume(d, 4, FullDensityStems(d, 4));
    const double upperVolume = ry * v40;
    const double upperStems = StemsForVolume(d, 40, upperVolume);
    const double lowerVolume = ry * v4;
    const double lowerStems = StemsForVolume(d, 4, lowerVolume);
    if (!Usable(upperVolume) || !Usable(upperStems) || !Usable(lowerVolume) || !Usable(lowerStems))
        return;
    const int ux = DiagramPixelX(upperStems);
    const int uy = DiagramPixelY(upperVolume);
    surface.Line(ux, uy, DiagramPixelX(lowerStems), DiagramPixelY(lowerVolume), colors::Blue);
    DrawTextAt(surface, ux - 8, uy - 8, YieldIndexLabel(tenths));
}

// The isolines run past the frame; white boxes cover what they drew outside
// it before the axis texts go there.
void MaskOutside(Canvas& surface, const DiagramFrame& f) {
    surface.Box(f.right + 2, f.top, f.right + 100, f.bottom, colors::White, true);
    surface.Box(0, 0, f.left - 1, f.bottom, colors::White, true);
    surface.Box(0, 0, f.right + 100, f.top - 1, colors::White, true);
    surface.Box(f.left - 1, f.bottom + 1, f.right + 100, f.bottom + 100, colors::White, true);
}

void DrawAxisTexts(Canvas& surface, const DiagramFrame& f) {
    DrawTextAt(surface, f.left - 40, f.top - 8, "1500");
    DrawTextAt(surface, f.left - 32, f.top + 202, "100");
    DrawTextAt(surface, f.left - 24, f.bottom - 8, "20");
    DrawTextAt(surface, f.left - 8, f.bottom + 1, "100");
    DrawTextAt(surface, (f.left + f.right) / 2 - 10, f.bottom + 1, "1000");
    DrawTextAt(surface, f.right - 16, f.bottom + 1, "10000");
    DrawVerticalText(surface, f.left - 80, f.top, "ヘクタ｜ルあたり幹材積");
    DrawTextAt(surface, f.left + 112, f.bottom + 20, "ヘクタールあたり本数");
}

}  // namespace

int DiagramPixelX(double N) { return RoundToInt(DiagramX(N)); }
int DiagramPixelY(double V) { return RoundToInt(DiagramY(V)); }

DiagramFrame DensityDiagramFrame() {
    DiagramFrame f;
    f.top = DiagramPixelY(1500);
    f.bottom = DiagramPixelY(20);
    f.left = DiagramPixelX(100);
    f.right = DiagramPixelX(kMaxDiagramStems);
    return f;
}

void DrawDensityDiagram(Canvas& surface, const DensityDiagramParameters& diagram) {
    surface.Clear();
    surface.SetInkColor(colors::Black);
    const DiagramFrame f = DensityDiagramFrame();
    surface.Line(f.left, f.top, f.right, f.top, colors::Black);
    DrawGrid(surface, f);

    const Color ink = surface.InkColor();
    surface.SetInkColor(colors::Red);
    for (int h = 6; h <= 34; h += 2) DrawHeightIsoline(surface, diagram, h);
    surface.SetInkColor(ink);

    surface.SetInkColor(colors::Blue);
    for (int tenths = 10; tenths >= 4; --tenths) DrawYieldIndexLine(surface, diagram, tenths);
    surface.SetInkColor(ink);

    surface.Box(f.left, f.top, f.right, f.bottom, colors::Black, false);
    MaskOutside(surface, f);
    DrawAxisTexts(surface, f);
}

}  // namespace mk
