#include "app/basedata/graph_picture.h"

#include <QPainter>

namespace mk::app {

GraphPicture::GraphPicture(QWidget* parent, const QString& name)
    : QWidget(parent), shown_(kShownWidth, kShownHeight) {
    setObjectName(name);
    setFixedSize(kShownWidth, kShownHeight);
}

void GraphPicture::Paint(const std::function<void(Canvas&)>& draw) {
    draw(shown_);
    draw(saved_);
    update();
}

void GraphPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, shown_.image());
}

}  // namespace mk::app
