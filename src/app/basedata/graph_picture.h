#pragma once
// The graph of a base data window. The graphs place their axis captions
// and annotations a little beyond the 560 x 420 drawing area, so the picture
// is larger and holds them whole; the same picture is what the user saves.
// On the screen it takes the room the window gives it and is painted sharp
// at that size.

#include <QWidget>
#include <functional>

#include "app/app_context.h"
#include "render/scalable_canvas.h"

namespace mk::app {

class GraphPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShownWidth = 640;
    static constexpr int kShownHeight = 470;

    GraphPicture(QWidget* parent, const QString& name);

    // Draws on the picture and shows the result.
    void Paint(const std::function<void(Canvas&)>& draw);

    const ImageCanvas& shown() const { return shown_.picture(); }

    QSize sizeHint() const override { return QSize(kShownWidth, kShownHeight); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * kShownHeight / kShownWidth; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScalableCanvas shown_;
};

// 画像の保存: asks for a BMP name ("画像を保存します", starting at the current
// folder's "*.bmp") and saves the whole picture there; the unchanged
// starting name saves nothing.
void SaveGraphPicture(AppContext& context, QWidget* parent, const GraphPicture& picture);

}  // namespace mk::app
