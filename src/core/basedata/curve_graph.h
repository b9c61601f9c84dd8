#pragma once
// The graph of the curve determination window: axes, the survey pairs, the
// fitted curves with their band and legend, and the parameter annotation.

#include <string>

#include "core/basedata/curve_fitting.h"
#include "core/graphics/canvas.h"

namespace mk {

// RGB 255,0,0 / 0,128,64 / 0,0,255 for codes 1..3; the stem curve is drawn
// in the colour of code 1.
Color FunctionColor(CurveMode mode, int code);

// Clears the picture and draws the axes with their ticks and captions.
void DrawCurveAxes(Canvas& canvas, CurveMode mode);
// A small circle at every pair.
void DrawCurvePoints(Canvas& canvas, CurveMode mode, const FitData& data);
// The survey file's name as the title.
void DrawCurveTitle(Canvas& canvas, const std::string& title);
// Axes, points and title together, as at the start of every calculation.
void DrawCurveFrame(Canvas& canvas, CurveMode mode, const FitData& data, const std::string& title);

// The fitted curve from Xmin - 1 to Xmax + 1 (with the band of a site
// curve) and its legend entry.
void DrawFittedCurve(Canvas& canvas, CurveMode mode, const FitData& data, const FitResult& fit);
// The legend entry of the chosen function again, marked with "★".
void DrawChosenMark(Canvas& canvas, CurveMode mode, int code);
// PARAMETER(1)..(3), the band coefficient or PARAMETER(4), and the
// residual sum, each value in "0.000000E+00" form.
void DrawParameterAnnotation(Canvas& canvas, CurveMode mode, const FitResult& fit);

}  // namespace mk
