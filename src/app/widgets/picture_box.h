#pragma once
// A picture that keeps what is drawn on it: a 560 x 420 ImageCanvas shown
// in a widget. Graphs draw on canvas(); Refresh() shows the drawing.

#include <QWidget>

#include "render/image_canvas.h"

namespace mk::app {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    // scaleToFit: the picture is shrunk with the widget (the all-image
    // view); otherwise it is shown at its own size.
    PictureBox(QWidget* parent, const QString& name, bool scaleToFit = false);

    ImageCanvas& canvas() { return canvas_; }
    const ImageCanvas& canvas() const { return canvas_; }
    void Refresh() { update(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ImageCanvas canvas_;
    bool scaleToFit_;
};

}  // namespace mk::app
