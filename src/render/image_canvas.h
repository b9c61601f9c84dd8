#pragma once
// The picture of every graph as a 560 x 420 image: the drawing surface the
// windows show and the batch tool saves.

#include <QFont>
#include <QImage>
#include <string>

#include "core/graphics/canvas.h"

namespace mk {

// Text of every picture: IPA P Gothic (fonts-ipafont), drawn without
// smoothing so that the picture holds only the colours that were drawn.
// At 11 pixels a full-width character of the right-axis titles, which
// start 10 pixels from the right edge, is still seen whole.
inline constexpr int kImageFontPixelSize = 11;
// One printed line moves the current position down this far.
inline constexpr int kImageLineHeight = 15;

class ImageCanvas final : public Canvas {
public:
    // The graphs' 560 x 420 picture. A plot that is only shown may be larger
    // and reach originY pixels above its drawing origin (its axis titles
    // stand outside the usual frame).
    explicit ImageCanvas(int width = kCanvasWidth, int height = kCanvasHeight, int originY = 0);

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
    // Shows a loaded picture: it is placed at the top left over a white
    // picture of the canvas's own size (a larger one is cut at the edges).
    void ShowImage(const QImage& picture);
    // The colour of one pixel in the same convention as the drawing colours.
    Color PixelColor(int x, int y) const;

private:
    void SetPixel(int x, int y, Color color);
    void HorizontalSpan(int x1, int x2, int y, Color color);

    QImage image_;
    int originY_ = 0;
    double x_ = 0, y_ = 0;
    Color ink_ = colors::Black;
    Color fill_ = colors::Black;
    mk::FillStyle fillStyle_ = mk::FillStyle::Transparent;
};

// The font of every picture's text (see kImageFontPixelSize).
const QFont& ImagePictureFont();

// Liang-Barsky: cuts the segment to the rectangle, ends that were cut put
// exactly on their edge; false when nothing of it lies inside (or the ends
// are not numbers).
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY,
                 double maxX, double maxY);

// QColor's red/green/blue from a drawing colour (red in the low byte).
QRgb ToRgb(Color color);
Color FromRgb(QRgb rgb);

// Text drawing needs a Qt GUI application; the batch tool and the tests
// have none of their own, so one on the offscreen platform is made the
// first time a picture is created.
void EnsureGuiApplication();

}  // namespace mk
