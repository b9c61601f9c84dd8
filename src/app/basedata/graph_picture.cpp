#include "app/basedata/graph_picture.h"

#include <QDir>
#include <QPainter>

#include "render/bmp_file.h"

namespace mk::app {

GraphPicture::GraphPicture(QWidget* parent, const QString& name)
    : QWidget(parent), shown_(kShownWidth, kShownHeight) {
    setObjectName(name);
    setFixedSize(kShownWidth, kShownHeight);
}

void GraphPicture::Paint(const std::function<void(Canvas&)>& draw) {
    draw(shown_);
    update();
}

void GraphPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, shown_.image());
}

void SaveGraphPicture(AppContext& context, QWidget* parent, const GraphPicture& picture) {
    const QString preset = QDir::currentPath() + QStringLiteral("/*.bmp");
    FileDialogRequest request{QStringLiteral("画像を保存します"),
                              QStringLiteral("BMPファイル(*.bmp)|*.bmp"), preset};
    request.defaultSuffix = QStringLiteral("bmp");
    const std::optional<QString> chosen = context.services.files->Save(parent, request);
    if (!chosen || chosen->isEmpty() || *chosen == preset) return;
    SaveBmp(picture.shown(), chosen->toStdString(), context.messages());
}

}  // namespace mk::app
