#pragma once
// A drawing surface of any size for pictures that are only shown, never
// saved (the survey plot of the site class calculation, whose axis titles
// reach below the 420-pixel graphs).

#include <QImage>

#include "core/graphics/canvas.h"

namespace mk::app {

class PlotCanvas final : public Canvas {
public:
    // originY: the picture row of drawing coordinate y = 0, so that a plot
    // may reach a little above its own top.
    PlotCanvas(int width, int height, int originY = 0);

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

    const QImage& image() const { return image_; }

private:
    QImage image_;
    int dy_ = 0;
    double x_ = 0, y_ = 0;
    Color ink_ = colors::Black;
    Color fill_ = colors::Black;
    mk::FillStyle fillStyle_ = mk::FillStyle::Transparent;
};

}  // namespace mk::app
