#pragma once
// A Canvas that lists the primitives drawn on it: tests check graphs by what
// they draw rather than by pixels, and a run's strokes on a picture can be
// drawn again on another surface (a vector image, a printed page).

#include <string>
#include <vector>

#include "core/graphics/canvas.h"

namespace mk {

struct DrawnPrimitive {
    enum class Kind { Clear, Point, Line, Box, Circle, Text };
    Kind kind = Kind::Clear;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Point/Circle/Text: (x1, y1)
    double radius = 0;
    Color color = 0;
    bool filled = false;                                   // Box
    Color fillColor = 0;                                   // Circle
    mk::FillStyle fillStyle = mk::FillStyle::Transparent;  // Circle
    std::string text;
};

class RecordingCanvas final : public Canvas {
public:
    // Text lines are this many pixels high, as a 9-point font at 96 dpi.
    static constexpr double kLineHeight = 12;

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
    double TextHeight(const std::string&) const override { return kLineHeight; }
    double TextWidth(const std::string& text) const override;

    const std::vector<DrawnPrimitive>& primitives() const { return items_; }
    std::vector<DrawnPrimitive> OfKind(DrawnPrimitive::Kind kind) const;
    std::vector<std::string> Texts() const;

private:
    std::vector<DrawnPrimitive> items_;
    double x_ = 0, y_ = 0;
    Color ink_ = colors::Black;
    Color fill_ = colors::Black;
    mk::FillStyle fillStyle_ = mk::FillStyle::Transparent;
};

// Draws the primitives again, in order, on surface.
void Replay(const std::vector<DrawnPrimitive>& primitives, Canvas& surface);

}  // namespace mk
