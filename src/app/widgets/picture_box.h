#pragma once
// A picture that keeps what is drawn on it: graphs draw on canvas(), which
// keeps the 560 x 420 picture that is saved as a bitmap, and Refresh()
// shows the drawing. The widget takes the room its window gives it and
// paints the drawing at that size, keeping the picture's proportions, sharp
// on a high-density screen.

#include <QWidget>

#include "render/scalable_canvas.h"

namespace mk::app {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    // small: the picture may shrink to a quarter of its size (the six
    // children of the all-image view); otherwise to half, so that a result
    // window on a small screen still shows a legible graph.
    PictureBox(QWidget* parent, const QString& name, bool small = false);

    ScalableCanvas& canvas() { return canvas_; }
    const ScalableCanvas& canvas() const { return canvas_; }
    // The picture at its own 560 x 420 size, as it is saved.
    const ImageCanvas& picture() const { return canvas_.picture(); }
    void Refresh() { update(); }

    // Where the picture is painted inside the widget.
    QRectF PictureRect() const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScalableCanvas canvas_;
};

}  // namespace mk::app
