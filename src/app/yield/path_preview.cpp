#include "app/yield/path_preview.h"

#include <QVBoxLayout>

#include "app/widgets/scroll_row.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/yield/stand_preview.h"

namespace mk::app {

namespace {

// The picture beside a page's controls is smaller than a result window's.
class PreviewPicture final : public PictureBox {
public:
    using PictureBox::PictureBox;
    QSize sizeHint() const override { return QSize(kCanvasWidth * 3 / 4, kCanvasHeight * 3 / 4); }
};

}  // namespace

PathPreview::PathPreview(AppContext& context, QWidget* parent, PageValues pageValues)
    : QWidget(parent), context_(context), pageValues_(std::move(pageValues)) {
    setObjectName(QStringLiteral("Frame_Preview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(QStringLiteral("林分の経過（この設定で計算した場合）"), this);
    title->setObjectName(QStringLiteral("Label_PreviewTitle"));
    layout->addWidget(title);
    picture_ = new PreviewPicture(this, QStringLiteral("Picture_Preview"));
    layout->addWidget(picture_);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("Label_Preview"));
    note_->setWordWrap(true);
    note_->setMinimumHeight(note_->fontMetrics().lineSpacing() * 2);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(note_);
    // Extra height goes below the line, which stays under the picture.
    layout->addStretch(1);
    timer_.setSingleShot(true);
    timer_.setInterval(kSettleMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &PathPreview::Redraw);
}

void PathPreview::Schedule() { timer_.start(); }

void PathPreview::Watch(ScrollRow* row) {
    connect(row->bar(), &QScrollBar::valueChanged, this, &PathPreview::Schedule);
    connect(row->box(), &QLineEdit::textEdited, this, &PathPreview::Schedule);
}

void PathPreview::Redraw() {
    timer_.stop();
    // Only what a run reads is copied: the session's arrays and any table
    // being written stay out of reach.
    YieldState state;
    state.Diagram = context_.ws.Diagram;
    state.HeightCurve = context_.ws.HeightCurve;
    state.Run = context_.ws.Run;
    state.CurrentStand = context_.ws.CurrentStand;
    const Reading reading = pageValues_(state);
    // The diagram is drawn once; each change starts from a copy of it.
    if (!diagram_ || diagramOf_ != state.Diagram) {
        diagram_.emplace();
        DrawDensityDiagram(*diagram_, state.Diagram);
        diagramOf_ = state.Diagram;
    }
    ScalableCanvas& canvas = picture_->canvas();
    canvas = *diagram_;
    std::string note = reading.refusal;
    if (note.empty()) {
        note = DrawStandPreviewOver(state, canvas).note;
        if (note.empty()) note = reading.note;
    }
    note_->setText(QString::fromStdString(note).replace(QStringLiteral("\r\n"), QString()));
    picture_->Refresh();
    ++redraws_;
    emit redrawn();
}

std::string UseChosenThinningsOrNone(RunSettings& run) {
    const bool bounds = run.ThinningMethod >= 4 && run.ThinningMethod <= 6;
    if (bounds ? run.ThinningToAge > 0 : run.ThinningCount > 0) return {};
    run.ThinningMethod = 1;
    run.ThinningCount = 0;
    return "間伐を設定するまでは、間伐しない場合の経過です。";
}

}  // namespace mk::app
