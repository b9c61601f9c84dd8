#include "app/basedata/graph_picture.h"

#include <QPainter>

namespace mk::app {

GraphPicture::GraphPicture(QWidget* parent, const QString& name)
    : QWidget(parent), shown_(kShownWidth, kShownHeight) {
    setObjectName(name);
    setMinimumSize(kShownWidth / 2, kShownHeight / 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GraphPicture::Paint(const std::function<void(Canvas&)>& draw) {
    draw(shown_);
    draw(saved_);
    update();
}

void GraphPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSizeF room = QSizeF(kShownWidth, kShownHeight).scaled(size(), Qt::KeepAspectRatio);
    shown_.PaintScaled(painter, QRectF(QPointF((width() - room.width()) / 2, 0), room));
}

}  // namespace mk::app
