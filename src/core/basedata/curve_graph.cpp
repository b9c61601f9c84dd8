#include "core/basedata/curve_graph.h"

#include <cmath>

#include "core/graphics/text_primitives.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

constexpr double kOriginX = 140;
constexpr double kOriginY = 412;
constexpr double kAxisLength = 400;
constexpr double kTickSpacing = 80;
constexpr double kTickLength = 4;

constexpr Color Rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

bool IsSite(CurveMode mode) { return mode == CurveMode::SiteCurve; }
double XScale(CurveMode) { return 4.0; }
double YScale(CurveMode mode) { return IsSite(mode) ? 4.0 : 0.04; }

double PixelX(CurveMode mode, double x) { return kOriginX + x * XScale(mode); }
double PixelY(CurveMode mode, double y) { return kOriginY - y * YScale(mode); }

int LegendCode(CurveMode mode, int code) { return IsSite(mode) ? code : 1; }
double LegendY(CurveMode mode, int code) { return kOriginY - 420 + LegendCode(mode, code) * 20; }
constexpr double kLegendX = kOriginX + 320;

std::string Scientific(double value) { return FormatNumber(value, "0.000000E+00"); }

void Polyline(Canvas& canvas, CurveMode mode, const FitData& data, const FitResult& fit,
              double factor, Color color) {
    bool first = true;
    for (double x = data.Xmin - 1; x <= data.Xmax + 1; x += 1) {
        const double y = CurveValue(mode, fit.code, fit.para, x) * factor;
        const double py = PixelY(mode, y);
        if (!std::isfinite(py)) continue;
        if (first)
            canvas.Point(PixelX(mode, x), py, color);
        else
            canvas.LineTo(PixelX(mode, x), py, color);
        first = false;
    }
}

void PrintIn(Canvas& canvas, Color color, double x, double y, const std::string& text) {
    const Color saved = canvas.InkColor();
    canvas.SetInkColor(color);
    DrawTextAt(canvas, x, y, text);
    canvas.SetInkColor(saved);
}

void DrawLegendEntry(Canvas& canvas, CurveMode mode, int code) {
    const Color color = FunctionColor(mode, code);
    const double top = LegendY(mode, code);
    PrintIn(canvas, color, kLegendX, top, FunctionName(mode, code));
    canvas.Line(kLegendX - 25, top + 7, kLegendX - 5, top + 7, color);
}

}  // namespace

Color FunctionColor(CurveMode mode, int code) {
    switch (LegendCode(mode, code)) {
        case 2:
            return Rgb(0, 128, 64);
        case 3:
            return Rgb(0, 0, 255);
        default:
            return Rgb(255, 0, 0);
    }
}

void DrawCurveAxes(Canvas& canvas, CurveMode mode) {
    canvas.Clear();
    canvas.SetInkColor(colors::Black);
    canvas.Line(kOriginX, kOriginY, kOriginX + kAxisLength, kOriginY, colors::Black);
    canvas.Line(kOriginX, kOriginY, kOriginX, kOriginY - kAxisLength, colors::Black);
    for (double offset = 0; offset <= kAxisLength; offset += kTickSpacing) {
        const double x = kOriginX + offset;
        canvas.Line(x, kOriginY, x, kOriginY + kTickLength, colors::Black);
        const std::string label = IntText(std::lround(offset / XScale(mode)));
        DrawTextAt(canvas, x - canvas.TextWidth(label) / 2, kOriginY + 6, label);

        const double y = kOriginY - offset;
        canvas.Line(kOriginX - kTickLength, y, kOriginX, y, colors::Black);
        const std::string value = AlignRight(IntText(std::lround(offset / YScale(mode))), 7);
        DrawTextAt(canvas, kOriginX - kTickLength - 2 - canvas.TextWidth(value),
                   y - canvas.TextHeight(value) / 2, value);
    }
    DrawTextAt(canvas, 400, kOriginY + 30, IsSite(mode) ? "林  齢（年）" : "上層樹高（ｍ）");
    DrawVerticalText(canvas, 20, 120, IsSite(mode) ? "上層樹高  ｍ" : "立木本数 本／ヘクタ｜ル");
}

void DrawCurvePoints(Canvas& canvas, CurveMode mode, const FitData& data) {
    for (int i = 0; i < data.n; ++i)
        canvas.Circle(PixelX(mode, data.X[i]), PixelY(mode, data.Y[i]), 2, colors::Black);
}

void DrawCurveTitle(Canvas& canvas, const std::string& title) {
    PrintIn(canvas, colors::Black, kOriginX + 40, kOriginY - 410, title);
}

void DrawCurveFrame(Canvas& canvas, CurveMode mode, const FitData& data, const std::string& title) {
    DrawCurveAxes(canvas, mode);
    DrawCurvePoints(canvas, mode, data);
    DrawCurveTitle(canvas, title);
}

void DrawFittedCurve(Canvas& canvas, CurveMode mode, const FitData& data, const FitResult& fit) {
    const Color color = FunctionColor(mode, fit.code);
    Polyline(canvas, mode, data, fit, 1.0, color);
    if (IsSite(mode)) {
        Polyline(canvas, mode, data, fit, std::exp(-fit.bandCoefficient), color);
        Polyline(canvas, mode, data, fit, std::exp(fit.bandCoefficient), color);
    }
    DrawLegendEntry(canvas, mode, fit.code);
}

void DrawChosenMark(Canvas& canvas, CurveMode mode, int code) {
    const Color color = FunctionColor(mode, code);
    const double top = LegendY(mode, code);
    PrintIn(canvas, color, kLegendX, top, FunctionName(mode, code));
    PrintIn(canvas, color, kLegendX - 45, top, "★");
}

void DrawParameterAnnotation(Canvas& canvas, CurveMode mode, const FitResult& fit) {
    const double x = kOriginX + 320;
    const double y = kOriginY - 210;
    const std::string labels[5] = {"PARAMETER(1)=", "PARAMETER(2)=", "PARAMETER(3)=",
                                   IsSite(mode) ? "変動帯係数=" : "PARAMETER(4)=", "残差平方和="};
    const double values[5] = {fit.para[0], fit.para[1], fit.para[2],
                              IsSite(mode) ? fit.bandCoefficient : fit.para[3], fit.bestSS};
    for (int k = 0; k < 5; ++k) {
        PrintIn(canvas, colors::Black, x, y + 40 * k, labels[k]);
        PrintIn(canvas, colors::Black, x + 45, y + 40 * k + 20, Scientific(values[k]));
    }
}

}  // namespace mk
