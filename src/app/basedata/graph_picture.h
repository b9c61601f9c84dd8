#pragma once
// The graph of a base data window. The graphs place their axis captions
// and annotations a little beyond the 560 x 420 picture, so the window shows
// a larger picture that holds them whole; the picture that is saved as a
// bitmap is drawn alongside at the usual size. The shown picture takes the
// room the window gives it and is painted sharp at that size.

#include <QWidget>
#include <functional>

#include "render/scalable_canvas.h"

namespace mk::app {

class GraphPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShownWidth = 640;
    static constexpr int kShownHeight = 470;

    GraphPicture(QWidget* parent, const QString& name);

    // Draws on both pictures and shows the result.
    void Paint(const std::function<void(Canvas&)>& draw);

    const ImageCanvas& shown() const { return shown_.picture(); }
    const ImageCanvas& saved() const { return saved_; }

    QSize sizeHint() const override { return QSize(kShownWidth, kShownHeight); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * kShownHeight / kShownWidth; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScalableCanvas shown_;
    ImageCanvas saved_;
};

}  // namespace mk::app
