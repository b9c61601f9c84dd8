#include "render/scalable_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRectF>
#include <algorithm>
#include <cmath>

#include "core/text/number_format.h"

namespace mk {
namespace {

// Coordinates beyond this are cut to the picture before they are kept, so
// that a wild value never reaches the painter's transformation.
constexpr double kFar = 1e5;
constexpr double kMaxRadius = 10000;

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

double Pixel(double v) { return RoundHalfEven(v); }

QColor ToQColor(Color color) { return QColor(ToRgb(color)); }

}  // namespace

ScalableCanvas::ScalableCanvas(int width, int height) : picture_(width, height) {}

void ScalableCanvas::Keep(Kept item) { kept_.push_back(std::move(item)); }

void ScalableCanvas::Clear() {
    picture_.Clear();
    kept_.clear();
}

void ScalableCanvas::Point(double x, double y, Color color) {
    picture_.Point(x, y, color);
    if (!Finite(x, y) || std::abs(x) > kFar || std::abs(y) > kFar) return;
    Kept k;
    k.kind = Kept::Kind::Point;
    k.x1 = x;
    k.y1 = y;
    k.color = color;
    Keep(std::move(k));
}

void ScalableCanvas::Line(double x1, double y1, double x2, double y2, Color color) {
    picture_.Line(x1, y1, x2, y2, color);
    if (!Finite(x1, y1) || !Finite(x2, y2)) return;
    // The kept line is cut a little outside the picture, so that a wild
    // value never reaches the painter's transformation.
    if (!ClipSegment(x1, y1, x2, y2, -4, -4, width() + 4, height() + 4)) return;
    Kept k;
    k.kind = Kept::Kind::Line;
    k.x1 = x1;
    k.y1 = y1;
    k.x2 = x2;
    k.y2 = y2;
    k.color = color;
    Keep(std::move(k));
}

void ScalableCanvas::LineTo(double x, double y, Color color) {
    Line(CurrentX(), CurrentY(), x, y, color);
}

void ScalableCanvas::Box(double x1, double y1, double x2, double y2, Color color, bool filled) {
    picture_.Box(x1, y1, x2, y2, color, filled);
    if (!Finite(x1, y1) || !Finite(x2, y2)) return;
    Kept k;
    k.kind = filled ? Kept::Kind::FilledBox : Kept::Kind::Box;
    k.x1 = std::clamp(Pixel(std::min(x1, x2)), -8.0, width() + 8.0);
    k.x2 = std::clamp(Pixel(std::max(x1, x2)), -8.0, width() + 8.0);
    k.y1 = std::clamp(Pixel(std::min(y1, y2)), -8.0, height() + 8.0);
    k.y2 = std::clamp(Pixel(std::max(y1, y2)), -8.0, height() + 8.0);
    k.color = color;
    Keep(std::move(k));
}

void ScalableCanvas::Circle(double x, double y, double radius, Color color) {
    picture_.Circle(x, y, radius, color);
    if (!Finite(x, y) || !std::isfinite(radius) || radius < 0 || radius > kMaxRadius) return;
    if (std::abs(x) > kFar || std::abs(y) > kFar) return;
    Kept k;
    k.kind = Kept::Kind::Circle;
    k.x1 = x;
    k.y1 = y;
    k.radius = Pixel(radius);
    k.color = color;
    k.fill = FillColor();
    k.filledCircle = GetFillStyle() == FillStyle::Solid;
    Keep(std::move(k));
}

void ScalableCanvas::Print(const std::string& text) {
    const double x = CurrentX(), y = CurrentY();
    const Color ink = InkColor();
    picture_.Print(text);
    if (text.empty() || !Finite(x, y) || std::abs(x) >= 1e6 || std::abs(y) >= 1e6) return;
    Kept k;
    k.kind = Kept::Kind::Text;
    k.x1 = Pixel(x);
    k.y1 = Pixel(y);
    k.color = ink;
    k.text = text;
    Keep(std::move(k));
}

void ScalableCanvas::ShowImage(const QImage& image) {
    picture_.ShowImage(image);
    kept_.clear();
    Kept k;
    k.kind = Kept::Kind::Image;
    k.image = image;
    Keep(std::move(k));
}

void ScalableCanvas::PaintScaled(QPainter& painter, const QRectF& target) const {
    if (target.isEmpty()) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / width(), target.height() / height());
    const QRectF whole(0, 0, width(), height());
    painter.setClipRect(whole);
    painter.fillRect(whole, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // The picture's own font, smoothed: the saved picture draws it without
    // smoothing so that it holds only the drawn colours.
    QFont font = ImagePictureFont();
    font.setStyleStrategy(QFont::PreferDefault);
    const QFontMetrics metrics(ImagePictureFont());
    const double textTop = (kImageLineHeight - metrics.height()) / 2 + metrics.ascent();
    painter.setFont(font);
    // Pixel n of the small picture covers n .. n + 1; a line through its
    // middle lands where the small picture has it.
    constexpr double c = 0.5;
    for (const Kept& k : kept_) {
        const QColor color = ToQColor(k.color);
        switch (k.kind) {
            case Kept::Kind::Point:
                painter.fillRect(QRectF(Pixel(k.x1), Pixel(k.y1), 1, 1), color);
                break;
            case Kept::Kind::Line: {
                QPen pen(color, 1.0, Qt::SolidLine, Qt::SquareCap);
                painter.setPen(pen);
                painter.drawLine(QPointF(k.x1 + c, k.y1 + c), QPointF(k.x2 + c, k.y2 + c));
                break;
            }
            case Kept::Kind::Box:
                painter.setPen(QPen(color, 1.0));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRectF(k.x1 + c, k.y1 + c, k.x2 - k.x1, k.y2 - k.y1));
                break;
            case Kept::Kind::FilledBox:
                painter.fillRect(QRectF(k.x1, k.y1, k.x2 - k.x1 + 1, k.y2 - k.y1 + 1), color);
                break;
            case Kept::Kind::Circle:
                painter.setPen(QPen(color, 1.0));
                if (k.filledCircle) {
                    painter.setBrush(ToQColor(k.fill));
                } else {
                    painter.setBrush(Qt::NoBrush);
                }
                painter.drawEllipse(QPointF(Pixel(k.x1) + c, Pixel(k.y1) + c), k.radius, k.radius);
                break;
            case Kept::Kind::Text:
                painter.setPen(color);
                painter.drawText(QPointF(k.x1, k.y1 + textTop), QString::fromStdString(k.text));
                break;
            case Kept::Kind::Image:
                painter.drawImage(QRectF(0, 0, k.image.width(), k.image.height()), k.image);
                break;
        }
    }
    painter.restore();
}

}  // namespace mk
