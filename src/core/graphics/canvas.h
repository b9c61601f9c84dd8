#pragma once
// A picture that keeps what is drawn on it: the drawing surface of every graph.
// Coordinates are pixels of a 560 x 420 picture, origin top left, y downward.
// Colours are 24-bit values with red in the low byte and blue in the high
// byte (255 is red, 16711680 blue).

#include <cstdint>
#include <string>

namespace mk {

using Color = std::int32_t;

namespace colors {
inline constexpr Color Black = 0;
inline constexpr Color Red = 255;
inline constexpr Color Blue = 16711680;
inline constexpr Color White = 16777215;
inline constexpr Color DarkBlue = 8388608;  // 0x800000
}  // namespace colors

enum class FillStyle { Solid = 0, Transparent = 1 };

inline constexpr int kCanvasWidth = 560;
inline constexpr int kCanvasHeight = 420;

class Canvas {
public:
    virtual ~Canvas() = default;

    // Paints the whole picture white and puts the current position at (0, 0).
    virtual void Clear() = 0;
    // One pixel; the current position becomes (x, y).
    virtual void Point(double x, double y, Color color) = 0;
    // A line from (x1, y1) to (x2, y2); the current position becomes (x2, y2).
    virtual void Line(double x1, double y1, double x2, double y2, Color color) = 0;
    // A line from the current position to (x, y), which becomes current.
    virtual void LineTo(double x, double y, Color color) = 0;
    // A rectangle outline, or a rectangle filled with the same colour.
    virtual void Box(double x1, double y1, double x2, double y2, Color color, bool filled) = 0;
    // A circle outline in color, its inside painted with the fill colour and
    // style in force; the current position becomes the centre.
    virtual void Circle(double x, double y, double radius, Color color) = 0;
    // Prints text at the current position in the ink colour; afterwards the
    // current x is 0 and the current y one text line lower.
    virtual void Print(const std::string& text) = 0;

    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;

    virtual Color InkColor() const = 0;
    virtual void SetInkColor(Color color) = 0;
    virtual Color FillColor() const = 0;
    virtual void SetFillColor(Color color) = 0;
    virtual mk::FillStyle GetFillStyle() const = 0;
    virtual void SetFillStyle(mk::FillStyle style) = 0;

    virtual double TextHeight(const std::string& text) const = 0;
    virtual double TextWidth(const std::string& text) const = 0;
};

}  // namespace mk
