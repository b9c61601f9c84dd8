#include "app/widgets/picture_box.h"

#include <QPainter>

namespace mk::app {

PictureBox::PictureBox(QWidget* parent, const QString& name, bool scaleToFit)
    : QWidget(parent), scaleToFit_(scaleToFit) {
    setObjectName(name);
    if (scaleToFit_) {
        setMinimumSize(140, 105);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    } else {
        setFixedSize(kCanvasWidth, kCanvasHeight);
    }
}

QSize PictureBox::sizeHint() const { return QSize(kCanvasWidth, kCanvasHeight); }

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!scaleToFit_) {
        painter.drawImage(0, 0, canvas_.image());
        return;
    }
    painter.fillRect(rect(), Qt::white);
    const QSize shown = canvas_.image().size().scaled(size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), shown), canvas_.image());
}

}  // namespace mk::app
