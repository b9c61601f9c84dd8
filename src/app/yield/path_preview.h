#pragma once
// The stand's path beside a wizard page's controls: the density diagram
// with the path of the values now on the page, drawn again shortly after
// each change (typing, a scroll bar, a new thinning), or one line saying
// why these values cannot be run.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/app_context.h"
#include "app/widgets/picture_box.h"

namespace mk::app {

class ScrollRow;

class PathPreview : public QWidget {
    Q_OBJECT
public:
    // What a page says of its values: why they cannot be used (a value
    // being typed that is no number, or out of its bounds), or a note to
    // show under the path when the run itself has nothing to say.
    struct Reading {
        std::string refusal;
        std::string note;
    };
    // Puts the page's values into a copy of the run's state.
    using PageValues = std::function<Reading(YieldState&)>;

    PathPreview(AppContext& context, QWidget* parent, PageValues pageValues);

    // Draws again once the changes of the moment have settled.
    void Schedule();
    // Draws now.
    void Redraw();
    // Bar moves and typing in row redraw the preview.
    void Watch(ScrollRow* row);

    PictureBox& picture() { return *picture_; }
    QString note() const { return note_->text(); }
    int redrawCount() const { return redraws_; }

    // Changes closer together than this are drawn once.
    static constexpr int kSettleMilliseconds = 25;

signals:
    void redrawn();

private:
    AppContext& context_;
    PageValues pageValues_;
    PictureBox* picture_;
    QLabel* note_;
    QTimer timer_;
    int redraws_ = 0;
    // The diagram without a stand, and the coefficients it was drawn for.
    std::optional<ScalableCanvas> diagram_;
    DensityDiagramParameters diagramOf_;
};

// The page's run record as the confirmation would take it, for a page that
// has not set the thinnings yet: the schedule or the bounds chosen on an
// earlier showing, else no thinning at all. Returns the note for the
// latter ("間伐を設定するまでは、間伐しない場合の経過です。").
std::string UseChosenThinningsOrNone(RunSettings& run);

}  // namespace mk::app
