#include "render/painter_canvas.h"

#include <QFontMetrics>
#include <cmath>

#include "render/image_canvas.h"

namespace mk {
namespace {

// Far outside the picture nothing is drawn: a wild coordinate must not
// make a device draw a path of astronomical size.
constexpr double kLimit = 1e5;

bool Drawable(double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && std::abs(x) < kLimit && std::abs(y) < kLimit;
}

QColor ColorOf(Color color) { return QColor(ToRgb(color)); }

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter) {
    EnsureGuiApplication();
    painter_.setClipRect(QRectF(0, 0, kCanvasWidth, kCanvasHeight));
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QPen PainterCanvas::PenOf(Color color) const {
    QPen pen(ColorOf(color));
    pen.setWidthF(1.0);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

void PainterCanvas::Clear() {
    painter_.fillRect(QRectF(0, 0, kCanvasWidth, kCanvasHeight), ColorOf(colors::White));
    x_ = 0;
    y_ = 0;
}

void PainterCanvas::Point(double x, double y, Color color) {
    if (Drawable(x, y)) painter_.fillRect(QRectF(x - 0.5, y - 0.5, 1, 1), ColorOf(color));
    x_ = x;
    y_ = y;
}

void PainterCanvas::Line(double x1, double y1, double x2, double y2, Color color) {
    x_ = x2;
    y_ = y2;
    if (!Drawable(x1, y1) || !Drawable(x2, y2)) return;
    painter_.setPen(PenOf(color));
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterCanvas::LineTo(double x, double y, Color color) { Line(x_, y_, x, y, color); }

void PainterCanvas::Box(double x1, double y1, double x2, double y2, Color color, bool filled) {
    x_ = x2;
    y_ = y2;
    if (!Drawable(x1, y1) || !Drawable(x2, y2)) return;
    const QRectF box = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    if (filled) {
        // The picture fills both edges' pixels: half a pixel beyond each.
        painter_.fillRect(box.adjusted(-0.5, -0.5, 0.5, 0.5), ColorOf(color));
        return;
    }
    painter_.setPen(PenOf(color));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(box);
}

void PainterCanvas::Circle(double x, double y, double radius, Color color) {
    x_ = x;
    y_ = y;
    if (!Drawable(x, y) || !std::isfinite(radius) || radius < 0 || radius > kLimit) return;
    painter_.setPen(PenOf(color));
    if (fillStyle_ == FillStyle::Solid) {
        painter_.setBrush(ColorOf(fill_));
    } else {
        painter_.setBrush(Qt::NoBrush);
    }
    painter_.drawEllipse(QPointF(x, y), radius, radius);
    painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::Print(const std::string& text) {
    if (!text.empty() && Drawable(x_, y_)) {
        QFont font = ImagePictureFont();
        font.setStyleStrategy(QFont::PreferAntialias);
        const QFontMetrics metrics(ImagePictureFont());
        painter_.setFont(font);
        painter_.setPen(ColorOf(ink_));
        const int top = (kImageLineHeight - metrics.height()) / 2;
        painter_.drawText(QPointF(x_, y_ + top + metrics.ascent()), QString::fromStdString(text));
    }
    x_ = 0;
    y_ += kImageLineHeight;
}

double PainterCanvas::TextHeight(const std::string&) const { return kImageLineHeight; }

double PainterCanvas::TextWidth(const std::string& text) const {
    return QFontMetrics(ImagePictureFont()).horizontalAdvance(QString::fromStdString(text));
}

}  // namespace mk
