#pragma once
// The drawing surface of the graphs on any QPainter: an SVG image, a PDF
// page, a printer. Coordinates are those of the 560 x 420 picture; the
// painter's transform decides how large it comes out, and everything stays
// vector (lines, circles and text, not pixels). Text, line heights and
// text widths are those of the picture on screen, so a graph is laid out
// exactly as the window shows it.

#include <QPainter>

#include "core/graphics/canvas.h"

namespace mk {

class PainterCanvas final : public Canvas {
public:
    // Draws into the rectangle (0, 0)-(560, 420) of painter's current
    // coordinate system, clipped to it.
    explicit PainterCanvas(QPainter& painter);

    void Clear() override;
    void Point(double x, double y, Color color) override;
    void Line(double x1, double y1, double x2, double y2, Color color) override;
    void LineTo(double x, double y, Color color) override;
    void Box(double x1, double y1, double x2, double y2, Color color, bool filled) override;
    void Circle(double x, double y, double radius, Color color) override;
    void Print(const std::string& text) override;

    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    Color InkColor() const override { return ink_; }
    void SetInkColor(Color color) override { ink_ = color; }
    Color FillColor() const override { return fill_; }
    void SetFillColor(Color color) override { fill_ = color; }
    mk::FillStyle GetFillStyle() const override { return fillStyle_; }
    void SetFillStyle(mk::FillStyle style) override { fillStyle_ = style; }
    double TextHeight(const std::string& text) const override;
    double TextWidth(const std::string& text) const override;

private:
    QPen PenOf(Color color) const;

    QPainter& painter_;
    double x_ = 0, y_ = 0;
    Color ink_ = colors::Black;
    Color fill_ = colors::Black;
    mk::FillStyle fillStyle_ = mk::FillStyle::Transparent;
};

}  // namespace mk
