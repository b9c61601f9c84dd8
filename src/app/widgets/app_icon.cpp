#include "app/widgets/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace mk::app {

namespace {

void DrawTree(QPainter& painter, double x, double bottom, double height, const QColor& colour) {
    const double half = height * 0.28;
    painter.setBrush(QColor(110, 70, 40));
    painter.drawRect(QRectF(x - height * 0.05, bottom - height * 0.18, height * 0.1, height * 0.18));
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({QPointF(x, bottom - height), QPointF(x + half, bottom - height * 0.15),
                                   QPointF(x - half, bottom - height * 0.15)}));
}

}  // namespace

QIcon AppIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    DrawTree(painter, 20, 60, 44, QColor(34, 110, 56));
    DrawTree(painter, 44, 60, 56, QColor(20, 90, 45));
    painter.end();
    return QIcon(pixmap);
}

}  // namespace mk::app
