#pragma once
// The graph of a base data window. The graphs place their axis captions
// and annotations a little beyond the 560 x 420 drawing area, so the picture
// is larger and holds them whole; the same picture is what the user saves.

#include <QWidget>
#include <functional>

#include "app/app_context.h"
#include "render/image_canvas.h"

namespace mk::app {

class GraphPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShownWidth = 640;
    static constexpr int kShownHeight = 470;

    GraphPicture(QWidget* parent, const QString& name);

    // Draws on the picture and shows the result.
    void Paint(const std::function<void(Canvas&)>& draw);

    const ImageCanvas& shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ImageCanvas shown_;
};

// 画像の保存: asks for a BMP name ("画像を保存します", starting at the current
// folder's "*.bmp") and saves the whole picture there; the unchanged
// starting name saves nothing.
void SaveGraphPicture(AppContext& context, QWidget* parent, const GraphPicture& picture);

}  // namespace mk::app
