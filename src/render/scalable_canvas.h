#pragma once
// The canvas a window shows: every primitive is drawn on the picture that is
// saved (a 560 x 420 ImageCanvas, so saved bitmaps stay exactly those of the
// batch tool) and is also kept, so that the window can paint the same
// drawing again at whatever size it has on the screen, sharp at the screen's
// pixel density.

#include <QImage>
#include <string>
#include <vector>

#include "render/image_canvas.h"

class QPainter;
class QRectF;

namespace mk {

class ScalableCanvas final : public Canvas {
public:
    explicit ScalableCanvas(int width = kCanvasWidth, int height = kCanvasHeight);

    void Clear() override;
    void Point(double x, double y, Color color) override;
    void Line(double x1, double y1, double x2, double y2, Color color) override;
    void LineTo(double x, double y, Color color) override;
    void Box(double x1, double y1, double x2, double y2, Color color, bool filled) override;
    void Circle(double x, double y, double radius, Color color) override;
    void Print(const std::string& text) override;

    // Position, colours and text measures are those of the saved picture,
    // so a graph lays itself out exactly as on the batch tool's picture.
    double CurrentX() const override { return picture_.CurrentX(); }
    double CurrentY() const override { return picture_.CurrentY(); }
    void SetCurrentX(double x) override { picture_.SetCurrentX(x); }
    void SetCurrentY(double y) override { picture_.SetCurrentY(y); }
    Color InkColor() const override { return picture_.InkColor(); }
    void SetInkColor(Color color) override { picture_.SetInkColor(color); }
    Color FillColor() const override { return picture_.FillColor(); }
    void SetFillColor(Color color) override { picture_.SetFillColor(color); }
    mk::FillStyle GetFillStyle() const override { return picture_.GetFillStyle(); }
    void SetFillStyle(mk::FillStyle style) override { picture_.SetFillStyle(style); }
    double TextHeight(const std::string& text) const override { return picture_.TextHeight(text); }
    double TextWidth(const std::string& text) const override { return picture_.TextWidth(text); }

    // The picture at its own size, as it is saved.
    const ImageCanvas& picture() const { return picture_; }
    const QImage& image() const { return picture_.image(); }
    int width() const { return picture_.image().width(); }
    int height() const { return picture_.image().height(); }

    // Shows a loaded bitmap (see ImageCanvas::ShowImage); it is scaled
    // smoothly when painted at another size.
    void ShowImage(const QImage& picture);

    // Paints the drawing into target (in the painter's coordinates),
    // stretched to fill it: lines, circles and text are drawn at that size,
    // not enlarged from the small picture.
    void PaintScaled(QPainter& painter, const QRectF& target) const;

    // How many primitives are kept (a cleared picture keeps none).
    std::size_t KeptCount() const { return kept_.size(); }

private:
    struct Kept {
        enum class Kind { Point, Line, Box, FilledBox, Circle, Text, Image };
        Kind kind = Kind::Point;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0, radius = 0;
        Color color = 0;
        Color fill = 0;
        bool filledCircle = false;
        std::string text;
        QImage image;
    };
    void Keep(Kept item);

    ImageCanvas picture_;
    std::vector<Kept> kept_;
};

}  // namespace mk
