#pragma once
// A Canvas that draws on two at once: the picture on show, and a recording
// of the same strokes from which the picture can be drawn again at any
// size (a vector image, a printed page). Questions about the state are
// answered by the first.

#include "core/graphics/canvas.h"

namespace mk {

class TeeCanvas final : public Canvas {
public:
    TeeCanvas(Canvas& first, Canvas& second) : a_(first), b_(second) {}

    void Clear() override {
        a_.Clear();
        b_.Clear();
    }
    void Point(double x, double y, Color color) override {
        a_.Point(x, y, color);
        b_.Point(x, y, color);
    }
    void Line(double x1, double y1, double x2, double y2, Color color) override {
        a_.Line(x1, y1, x2, y2, color);
        b_.Line(x1, y1, x2, y2, color);
    }
    void LineTo(double x, double y, Color color) override {
        a_.LineTo(x, y, color);
        b_.LineTo(x, y, color);
    }
    void Box(double x1, double y1, double x2, double y2, Color color, bool filled) override {
        a_.Box(x1, y1, x2, y2, color, filled);
        b_.Box(x1, y1, x2, y2, color, filled);
    }
    void Circle(double x, double y, double radius, Color color) override {
        a_.Circle(x, y, radius, color);
        b_.Circle(x, y, radius, color);
    }
    void Print(const std::string& text) override {
        // The second follows the first's position: their lines may differ
        // in height.
        b_.SetCurrentX(a_.CurrentX());
        b_.SetCurrentY(a_.CurrentY());
        a_.Print(text);
        b_.Print(text);
    }

    double CurrentX() const override { return a_.CurrentX(); }
    double CurrentY() const override { return a_.CurrentY(); }
    void SetCurrentX(double x) override {
        a_.SetCurrentX(x);
        b_.SetCurrentX(x);
    }
    void SetCurrentY(double y) override {
        a_.SetCurrentY(y);
        b_.SetCurrentY(y);
    }
    Color InkColor() const override { return a_.InkColor(); }
    void SetInkColor(Color color) override {
        a_.SetInkColor(color);
        b_.SetInkColor(color);
    }
    Color FillColor() const override { return a_.FillColor(); }
    void SetFillColor(Color color) override {
        a_.SetFillColor(color);
        b_.SetFillColor(color);
    }
    mk::FillStyle GetFillStyle() const override { return a_.GetFillStyle(); }
    void SetFillStyle(mk::FillStyle style) override {
        a_.SetFillStyle(style);
        b_.SetFillStyle(style);
    }
    double TextHeight(const std::string& text) const override { return a_.TextHeight(text); }
    double TextWidth(const std::string& text) const override { return a_.TextWidth(text); }

private:
    Canvas& a_;
    Canvas& b_;
};

}  // namespace mk
