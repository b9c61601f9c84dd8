#include "core/graphics/recording_canvas.h"

namespace mk {
namespace {

DrawnPrimitive Make(DrawnPrimitive::Kind kind) {
    DrawnPrimitive p;
    p.kind = kind;
    return p;
}

}  // namespace

void RecordingCanvas::Clear() {
    items_.push_back(Make(DrawnPrimitive::Kind::Clear));
    x_ = 0;
    y_ = 0;
}

void RecordingCanvas::Point(double x, double y, Color color) {
    DrawnPrimitive p = Make(DrawnPrimitive::Kind::Point);
    p.x1 = x;
    p.y1 = y;
    p.color = color;
    items_.push_back(p);
    x_ = x;
    y_ = y;
}

void RecordingCanvas::Line(double x1, double y1, double x2, double y2, Color color) {
    DrawnPrimitive p = Make(DrawnPrimitive::Kind::Line);
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    p.color = color;
    items_.push_back(p);
    x_ = x2;
    y_ = y2;
}

void RecordingCanvas::LineTo(double x, double y, Color color) { Line(x_, y_, x, y, color); }

void RecordingCanvas::Box(double x1, double y1, double x2, double y2, Color color, bool filled) {
    DrawnPrimitive p = Make(DrawnPrimitive::Kind::Box);
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    p.color = color;
    p.filled = filled;
    items_.push_back(p);
    x_ = x2;
    y_ = y2;
}

void RecordingCanvas::Circle(double x, double y, double radius, Color color) {
    DrawnPrimitive p = Make(DrawnPrimitive::Kind::Circle);
    p.x1 = x;
    p.y1 = y;
    p.radius = radius;
    p.color = color;
    p.fillColor = fill_;
    p.fillStyle = fillStyle_;
    items_.push_back(p);
    x_ = x;
    y_ = y;
}

void RecordingCanvas::Print(const std::string& text) {
    DrawnPrimitive p = Make(DrawnPrimitive::Kind::Text);
    p.x1 = x_;
    p.y1 = y_;
    p.color = ink_;
    p.text = text;
    items_.push_back(p);
    x_ = 0;
    y_ += kLineHeight;
}

double RecordingCanvas::TextWidth(const std::string& text) const {
    // Roughly 6 pixels per byte of UTF-8 is close enough for layout tests.
    return 6.0 * static_cast<double>(text.size());
}

std::vector<DrawnPrimitive> RecordingCanvas::OfKind(DrawnPrimitive::Kind kind) const {
    std::vector<DrawnPrimitive> out;
    for (const auto& p : items_)
        if (p.kind == kind) out.push_back(p);
    return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> out;
    for (const auto& p : items_)
        if (p.kind == DrawnPrimitive::Kind::Text) out.push_back(p.text);
    return out;
}

void Replay(const std::vector<DrawnPrimitive>& primitives, Canvas& surface) {
    using Kind = DrawnPrimitive::Kind;
    for (const DrawnPrimitive& p : primitives) {
        switch (p.kind) {
            case Kind::Clear:
                surface.Clear();
                break;
            case Kind::Point:
                surface.Point(p.x1, p.y1, p.color);
                break;
            case Kind::Line:
                surface.Line(p.x1, p.y1, p.x2, p.y2, p.color);
                break;
            case Kind::Box:
                surface.Box(p.x1, p.y1, p.x2, p.y2, p.color, p.filled);
                break;
            case Kind::Circle: {
                const Color fill = surface.FillColor();
                const mk::FillStyle style = surface.GetFillStyle();
                surface.SetFillColor(p.fillColor);
                surface.SetFillStyle(p.fillStyle);
                surface.Circle(p.x1, p.y1, p.radius, p.color);
                surface.SetFillColor(fill);
                surface.SetFillStyle(style);
                break;
            }
            case Kind::Text: {
                const Color ink = surface.InkColor();
                surface.SetCurrentX(p.x1);
                surface.SetCurrentY(p.y1);
                surface.SetInkColor(p.color);
                surface.Print(p.text);
                surface.SetInkColor(ink);
                break;
            }
        }
    }
}

}  // namespace mk
