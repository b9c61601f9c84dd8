#include "app/widgets/plot_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "render/image_canvas.h"

namespace mk::app {

namespace {

QFont PlotFont() {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(kImageFontPixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QColor ToColor(Color color) { return QColor::fromRgb(ToRgb(color)); }

}  // namespace

PlotCanvas::PlotCanvas(int width, int height, int originY)
    : image_(width, height, QImage::Format_RGB32), dy_(originY) {
    Clear();
}

void PlotCanvas::Clear() {
    image_.fill(Qt::white);
    x_ = 0;
    y_ = 0;
}

void PlotCanvas::Point(double x, double y, Color color) {
    const int px = static_cast<int>(std::lround(x));
    const int py = static_cast<int>(std::lround(y)) + dy_;
    if (image_.rect().contains(px, py)) image_.setPixel(px, py, ToRgb(color));
    x_ = x;
    y_ = y;
}

void PlotCanvas::Line(double x1, double y1, double x2, double y2, Color color) {
    QPainter painter(&image_);
    painter.translate(0, dy_);
    painter.setPen(ToColor(color));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    x_ = x2;
    y_ = y2;
}

void PlotCanvas::LineTo(double x, double y, Color color) { Line(x_, y_, x, y, color); }

void PlotCanvas::Box(double x1, double y1, double x2, double y2, Color color, bool filled) {
    QPainter painter(&image_);
    painter.translate(0, dy_);
    const QRectF rect(QPointF(std::min(x1, x2), std::min(y1, y2)),
                      QPointF(std::max(x1, x2), std::max(y1, y2)));
    if (filled) {
        painter.fillRect(rect.adjusted(0, 0, 1, 1), ToColor(color));
    } else {
        painter.setPen(ToColor(color));
        painter.drawRect(rect);
    }
    x_ = x2;
    y_ = y2;
}

void PlotCanvas::Circle(double x, double y, double radius, Color color) {
    QPainter painter(&image_);
    painter.translate(0, dy_);
    painter.setPen(ToColor(color));
    if (fillStyle_ == mk::FillStyle::Solid) {
        painter.setBrush(ToColor(fill_));
    } else {
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawEllipse(QPointF(x, y), radius, radius);
    x_ = x;
    y_ = y;
}

void PlotCanvas::Print(const std::string& text) {
    QPainter painter(&image_);
    painter.translate(0, dy_);
    const QFont font = PlotFont();
    painter.setFont(font);
    painter.setPen(ToColor(ink_));
    const QFontMetrics metrics(font);
    painter.drawText(QPointF(x_, y_ + metrics.ascent()), QString::fromStdString(text));
    x_ = 0;
    y_ += kImageLineHeight;
}

double PlotCanvas::TextHeight(const std::string&) const { return kImageLineHeight; }

double PlotCanvas::TextWidth(const std::string& text) const {
    return QFontMetrics(PlotFont()).horizontalAdvance(QString::fromStdString(text));
}

}  // namespace mk::app
