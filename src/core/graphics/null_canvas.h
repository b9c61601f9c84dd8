#pragma once
// A picture that keeps nothing but its current position: for runs whose
// path on the diagram nobody looks at (a whole register, a benchmark).

#include <string>

#include "core/graphics/canvas.h"

namespace mk {

class NullCanvas final : public Canvas {
public:
    void Clear() override { x_ = y_ = 0; }
    void Point(double x, double y, Color) override { x_ = x, y_ = y; }
    void Line(double, double, double x2, double y2, Color) override { x_ = x2, y_ = y2; }
    void LineTo(double x, double y, Color) override { x_ = x, y_ = y; }
    void Box(double, double, double, double, Color, bool) override {}
    void Circle(double x, double y, double, Color) override { x_ = x, y_ = y; }
    void Print(const std::string&) override { x_ = 0; }
    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    Color InkColor() const override { return 0; }
    void SetInkColor(Color) override {}
    Color FillColor() const override { return 0; }
    void SetFillColor(Color) override {}
    FillStyle GetFillStyle() const override { return FillStyle::Transparent; }
    void SetFillStyle(FillStyle) override {}
    double TextHeight(const std::string&) const override { return 12; }
    double TextWidth(const std::string& t) const override {
        return 6.0 * static_cast<double>(t.size());
    }

private:
    double x_ = 0, y_ = 0;
};

}  // namespace mk
