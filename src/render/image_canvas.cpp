#include "render/image_canvas.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "core/text/number_format.h"

namespace mk {
namespace {

constexpr const char* kFontFile = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
constexpr const char* kFontFamily = "IPAPGothic";

// Anything this far outside the picture is cut before it is drawn, so that
// a wild coordinate never makes a line of a billion pixels.
constexpr double kGuard = 4;
// Markers are a few pixels wide; a circle beyond this is not drawn.
constexpr double kMaxRadius = 10000;

}  // namespace

const QFont& ImagePictureFont() {
    static const QFont font = [] {
        EnsureGuiApplication();
        QString family = QString::fromLatin1(kFontFamily);
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kFontFile));
        if (id >= 0) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty()) family = families.front();
        }
        QFont f(family);
        f.setPixelSize(kImageFontPixelSize);
        f.setStyleStrategy(QFont::NoAntialias);
        f.setHintingPreference(QFont::PreferFullHinting);
        return f;
    }();
    return font;
}

namespace {

// Far beyond any picture, yet well inside the range of int.
constexpr double kPixelLimit = 1e6;

// A coordinate as a whole pixel, clamped first: converting a double beyond
// the range of int (or a NaN) is undefined.
int Pixel(double v) {
    const double rounded = RoundHalfEven(v);
    if (!(rounded > -kPixelLimit)) return static_cast<int>(-kPixelLimit);
    if (rounded > kPixelLimit) return static_cast<int>(kPixelLimit);
    return static_cast<int>(rounded);
}

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

// Liang-Barsky: cuts the segment to the rectangle; false when nothing of
// it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY,
                 double maxX, double maxY) {
    double dx = x2 - x1, dy = y2 - y1;
    double q[4] = {x1 - minX, maxX - x1, y1 - minY, maxY - y1};
    // Ends near the limits of double can be further apart than a double
    // holds; only the ratios q / p count, so both are halved then.
    double scale = 1;
    if (!std::isfinite(dx) || !std::isfinite(dy)) {
        scale = 2;
        dx = x2 / 2 - x1 / 2;
        dy = y2 / 2 - y1 / 2;
        for (double& v : q) v /= 2;
    }
    double t0 = 0, t1 = 1;
    int edge0 = -1, edge1 = -1;  // the edge each end was cut at, if any
    const double p[4] = {-dx, dx, -dy, dy};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t, edge0 = i;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t, edge1 = i;
        }
    }
    double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    double nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    if (scale != 1) {
        nx1 += t0 * dx;
        ny1 += t0 * dy;
        nx2 += t1 * dx;
        ny2 += t1 * dy;
    }
    if (!Finite(nx1, ny1) || !Finite(nx2, ny2)) return false;
    // From far ends, x1 + t * dx keeps little precision. A cut end lies on
    // its edge, whose coordinate is known exactly, and every end lies within
    // the rectangle, so both are put there.
    const auto settle = [&](int edge, double& x, double& y) {
        if (edge == 0) x = minX;
        if (edge == 1) x = maxX;
        if (edge == 2) y = minY;
        if (edge == 3) y = maxY;
        x = std::clamp(x, minX, maxX);
        y = std::clamp(y, minY, maxY);
    };
    settle(edge0, nx1, ny1);
    settle(edge1, nx2, ny2);
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

QRgb ToRgb(Color color) {
    const auto c = static_cast<std::uint32_t>(color);
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

Color FromRgb(QRgb rgb) {
    return static_cast<Color>(static_cast<std::uint32_t>(qRed(rgb)) |
                              (static_cast<std::uint32_t>(qGreen(rgb)) << 8) |
                              (static_cast<std::uint32_t>(qBlue(rgb)) << 16));
}

namespace {

QtMessageHandler previousHandler = nullptr;

// The batch tool's standard error carries the program's own messages only;
// Qt's remarks about the offscreen platform (no runtime folder and the
// like) are dropped, its errors still go through.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    if (previousHandler != nullptr) previousHandler(type, context, text);
}

}  // namespace

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    previousHandler = qInstallMessageHandler(QuietHandler);
    // Kept for the life of the process on purpose: tearing a Qt application
    // down during static destruction is not safe.
    static int argc = 3;
    static char arg0[] = "morikoyomi";
    static char arg1[] = "-platform";
    static char arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    new QGuiApplication(argc, argv);
}

ImageCanvas::ImageCanvas(int width, int height, int originY)
    : image_(width, height, QImage::Format_RGB32), originY_(originY) {
    EnsureGuiApplication();
    image_.fill(ToRgb(colors::White));
}

void ImageCanvas::Clear() {
    image_.fill(ToRgb(colors::White));
    x_ = 0;
    y_ = 0;
}

void ImageCanvas::SetPixel(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = ToRgb(color);
}

Color ImageCanvas::PixelColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return colors::White;
    return FromRgb(image_.pixel(x, y));
}

void ImageCanvas::HorizontalSpan(int x1, int x2, int y, Color color) {
    if (y < 0 || y >= image_.height()) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, image_.width() - 1);
    for (int x = x1; x <= x2; ++x) SetPixel(x, y, color);
}

void ImageCanvas::Point(double x, double y, Color color) {
    if (Finite(x, y))
        SetPixel(Pixel(std::clamp(x, -kGuard, 1e6)), Pixel(std::clamp(y + originY_, -kGuard, 1e6)),
                 color);
    x_ = x;
    y_ = y;
}

void ImageCanvas::Line(double x1, double y1, double x2, double y2, Color color) {
    x_ = x2;
    y_ = y2;
    if (!Finite(x1, y1) || !Finite(x2, y2)) return;
    double ax = RoundHalfEven(x1), ay = RoundHalfEven(y1 + originY_);
    double bx = RoundHalfEven(x2), by = RoundHalfEven(y2 + originY_);
    if (!ClipSegment(ax, ay, bx, by, -kGuard, -kGuard, image_.width() - 1 + kGuard,
                     image_.height() - 1 + kGuard))
        return;
    // Bresenham over whole pixels, both ends included.
    int px = Pixel(ax), py = Pixel(ay);
    const int qx = Pixel(bx), qy = Pixel(by);
    const int dx = std::abs(qx - px), sx = px < qx ? 1 : -1;
    const int dy = -std::abs(qy - py), sy = py < qy ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        SetPixel(px, py, color);
        if (px == qx && py == qy) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
}

void ImageCanvas::LineTo(double x, double y, Color color) { Line(x_, y_, x, y, color); }

void ImageCanvas::Box(double x1, double y1, double x2, double y2, Color color, bool filled) {
    x_ = x2;
    y_ = y2;
    if (!Finite(x1, y1) || !Finite(x2, y2)) return;
    const double lim = 1e6;
    int l = Pixel(std::clamp(std::min(x1, x2), -lim, lim));
    int r = Pixel(std::clamp(std::max(x1, x2), -lim, lim));
    int t = Pixel(std::clamp(std::min(y1, y2) + originY_, -lim, lim));
    int b = Pixel(std::clamp(std::max(y1, y2) + originY_, -lim, lim));
    if (filled) {
        for (int y = std::max(t, 0); y <= std::min(b, image_.height() - 1); ++y)
            HorizontalSpan(l, r, y, color);
        return;
    }
    HorizontalSpan(l, r, t, color);
    HorizontalSpan(l, r, b, color);
    for (int y = std::max(t, 0); y <= std::min(b, image_.height() - 1); ++y) {
        SetPixel(l, y, color);
        SetPixel(r, y, color);
    }
}

void ImageCanvas::Circle(double x, double y, double radius, Color color) {
    x_ = x;
    y_ = y;
    if (!Finite(x, y) || !std::isfinite(radius) || radius < 0 || radius > kMaxRadius) return;
    y += originY_;
    const int r = Pixel(radius);
    if (x < -r - kGuard || y < -r - kGuard || x > image_.width() + r + kGuard ||
        y > image_.height() + r + kGuard)
        return;
    const int cx = Pixel(x), cy = Pixel(y);
    // Midpoint circle: for each row the outermost pixel of the outline.
    std::vector<int> halfWidth(static_cast<std::size_t>(r) + 1, 0);
    int px = r, py = 0, err = 1 - r;
    while (px >= py) {
        halfWidth[static_cast<std::size_t>(py)] =
            std::max(halfWidth[static_cast<std::size_t>(py)], px);
        halfWidth[static_cast<std::size_t>(px)] =
            std::max(halfWidth[static_cast<std::size_t>(px)], py);
        ++py;
        if (err < 0) {
            err += 2 * py + 1;
        } else {
            --px;
            err += 2 * (py - px) + 1;
        }
    }
    if (fillStyle_ == FillStyle::Solid) {
        for (int dy = -r; dy <= r; ++dy) {
            const int w = halfWidth[static_cast<std::size_t>(std::abs(dy))];
            HorizontalSpan(cx - w, cx + w, cy + dy, fill_);
        }
    }
    // The outline: the ends of each row, and enough of the row to close the
    // gaps where the curve runs nearly flat.
    for (int dy = -r; dy <= r; ++dy) {
        const int ady = std::abs(dy);
        const int w = halfWidth[static_cast<std::size_t>(ady)];
        const int inner = ady < r ? halfWidth[static_cast<std::size_t>(ady + 1)] : -1;
        const int from = std::min(w, std::max(inner + 1, 0));
        HorizontalSpan(cx + from, cx + w, cy + dy, color);
        HorizontalSpan(cx - w, cx - from, cy + dy, color);
    }
}

void ImageCanvas::Print(const std::string& text) {
    if (!text.empty() && Finite(x_, y_) && std::abs(x_) < 1e6 && std::abs(y_) < 1e6) {
        const QFont& font = ImagePictureFont();
        const QFontMetrics metrics(font);
        QPainter painter(&image_);
        painter.setFont(font);
        painter.setPen(QColor(ToRgb(ink_)));
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        const int top = (kImageLineHeight - metrics.height()) / 2;
        painter.drawText(QPoint(Pixel(x_), Pixel(y_) + originY_ + top + metrics.ascent()),
                         QString::fromStdString(text));
    }
    x_ = 0;
    y_ += kImageLineHeight;
}

double ImageCanvas::TextHeight(const std::string&) const { return kImageLineHeight; }

double ImageCanvas::TextWidth(const std::string& text) const {
    return QFontMetrics(ImagePictureFont()).horizontalAdvance(QString::fromStdString(text));
}

void ImageCanvas::ShowImage(const QImage& picture) {
    image_.fill(ToRgb(colors::White));
    QPainter painter(&image_);
    painter.drawImage(QPoint(0, 0), picture);
}

}  // namespace mk
