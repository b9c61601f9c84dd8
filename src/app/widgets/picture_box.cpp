#include "app/widgets/picture_box.h"

#include <QPainter>

namespace mk::app {

PictureBox::PictureBox(QWidget* parent, const QString& name, bool small) : QWidget(parent) {
    setObjectName(name);
    const int divisor = small ? 4 : 2;
    setMinimumSize(kCanvasWidth / divisor, kCanvasHeight / divisor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize PictureBox::sizeHint() const { return QSize(kCanvasWidth, kCanvasHeight); }

int PictureBox::heightForWidth(int width) const { return width * kCanvasHeight / kCanvasWidth; }

QRectF PictureBox::PictureRect() const {
    const QSizeF shown =
        QSizeF(canvas_.width(), canvas_.height()).scaled(size(), Qt::KeepAspectRatio);
    // Centred across, at the top: the graph stays beside the labels that
    // belong to it.
    return QRectF(QPointF((width() - shown.width()) / 2, 0), shown);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The painter works in the widget's own units; on a high-density screen
    // it draws in device pixels, so the drawing is made at full sharpness.
    canvas_.PaintScaled(painter, PictureRect());
}

}  // namespace mk::app
