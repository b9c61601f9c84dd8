#include "app/basedata/graph_picture.h"

#include <QDir>
#include <QPainter>

#include "render/bmp_file.h"

namespace mk::app {

GraphPicture::GraphPicture(QWidget* parent, const QString& name)
    : QWidget(parent), shown_(kShownWidth, kShownHeight) {
    setObjectName(name);
    setMinimumSize(kShownWidth / 2, kShownHeight / 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GraphPicture::Paint(const std::function<void(Canvas&)>& draw) {
    draw(shown_);
    update();
}

void GraphPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSizeF room = QSizeF(kShownWidth, kShownHeight).scaled(size(), Qt::KeepAspectRatio);
    shown_.PaintScaled(painter, QRectF(QPointF((width() - room.width()) / 2, 0), room));
}

void SaveGraphPicture(AppContext& context, QWidget* parent, const GraphPicture& picture) {
    const QString preset = QDir::currentPath() + QStringLiteral("/*.bmp");
    const std::optional<QString> chosen =
        AskSaveFileName(*context.services.files, context.messages(), parent,
                        {.title = QStringLiteral("画像を保存します"),
                         .filter = QStringLiteral("BMPファイル(*.bmp)|*.bmp"),
                         .presetName = preset,
                         .defaultSuffix = QStringLiteral("bmp")});
    if (!chosen || chosen->isEmpty() || *chosen == preset) return;
    SaveBmp(picture.shown(), chosen->toStdString(), context.messages());
}

}  // namespace mk::app
