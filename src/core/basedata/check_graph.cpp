// The check graph: the usable pairs in a 400 x 400 frame scaled to their
// extremes, the fitted polynomial and the flagged records in colour.

#include <cmath>

#include "core/basedata/data_check.h"
#include "core/graphics/canvas.h"
#include "core/graphics/text_primitives.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

constexpr double kLeft = 120, kTop = 20, kRight = 520, kBottom = 420;
constexpr Color kOrange = 255 + 128 * 256;  // RGB 255, 128, 0
constexpr Color kCurveColor = colors::Blue;

double PixelX(const CheckState& s, double x) { return kLeft + (x - s.Xmin) * s.sx; }
double PixelY(const CheckState& s, double y) { return kBottom - (y - s.Ymin) * s.sy; }

void DrawRedCross(Canvas& canvas) {
    canvas.Line(0, 0, kCanvasWidth, kCanvasHeight, colors::Red);
    canvas.Line(0, kCanvasHeight, kCanvasWidth, 0, colors::Red);
}

void DrawAxisTexts(Canvas& canvas, const CheckState& s) {
    canvas.SetInkColor(colors::Black);
    DrawTextAt(canvas, 104, 430, GeneralNumber(s.Xmin));
    DrawTextAt(canvas, 504, 430, GeneralNumber(s.Xmax));
    const std::string xName = CheckReportName(s.xIndex + 1);
    DrawTextAt(canvas, (kLeft + kRight) / 2 - canvas.TextWidth(xName) / 2, 440, xName);
    DrawTextAt(canvas, 65, 412, AlignRight(GeneralNumber(s.Ymin), 7));
    DrawTextAt(canvas, 65, 12, AlignRight(GeneralNumber(s.Ymax), 7));
    DrawVerticalText(canvas, 20, 160, CheckReportName(s.yIndex + 1));
}

void DrawPolynomial(Canvas& canvas, const CheckState& s) {
    bool first = true;
    for (int px = static_cast<int>(kLeft); px <= static_cast<int>(kRight); px += 4) {
        const double x = s.Xmin + (px - kLeft) / s.sx;
        const double py = PixelY(s, PolynomialValue(s.fit, x));
        if (!std::isfinite(py)) continue;
        if (first)
            canvas.Point(px, py, kCurveColor);
        else
            canvas.LineTo(px, py, kCurveColor);
        first = false;
    }
}

void DrawFlags(Canvas& canvas, const CheckState& s) {
    const Color savedFill = canvas.FillColor();
    const FillStyle savedStyle = canvas.GetFillStyle();
    const Color savedInk = canvas.InkColor();
    for (size_t i = 0; i < s.mark.size(); ++i) {
        if (s.mark[i] <= 0) continue;
        const Color color = s.mark[i] >= 2 ? colors::Red : kOrange;
        const double px = PixelX(s, s.X[i]);
        const double py = PixelY(s, s.Y[i]);
        canvas.SetFillColor(color);
        canvas.SetFillStyle(FillStyle::Solid);
        canvas.Circle(px, py, 5, color);
        canvas.SetInkColor(color);
        DrawTextAt(canvas, px + 3, py + 3, IntText(static_cast<long long>(i) + 1));
    }
    canvas.SetFillColor(savedFill);
    canvas.SetFillStyle(savedStyle);
    canvas.SetInkColor(savedInk);
}

}  // namespace

void DrawCheckGraph(Canvas& canvas, const CheckState& s, ExaminationOutcome outcome) {
    canvas.Clear();
    if (outcome == ExaminationOutcome::SameVariable) {
        DrawRedCross(canvas);
        return;
    }
    canvas.Box(kLeft, kTop, kRight, kBottom, colors::Black, false);
    const bool scaled = std::isfinite(s.sx) && std::isfinite(s.sy) && s.Xmin < 1e38;
    if (!scaled) return;
    for (size_t i = 0; i < s.mark.size(); ++i)
        if (s.mark[i] >= 0) canvas.Circle(PixelX(s, s.X[i]), PixelY(s, s.Y[i]), 4, colors::Black);
    DrawAxisTexts(canvas, s);
    if (outcome != ExaminationOutcome::Fitted) return;
    DrawPolynomial(canvas, s);
    DrawFlags(canvas, s);
}

}  // namespace mk
