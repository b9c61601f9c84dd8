#include "app/yield/result_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "app/exports/export_actions.h"
#include "app/yield/result_window_common.h"

namespace mk::app {

namespace {

// Picture1, Picture1_2, Picture1_3, …
QString NumberedName(const char* base, int k) {
    if (k == 1) return QString::fromLatin1(base);
    return QString::fromLatin1(base) + QStringLiteral("_%1").arg(k);
}

}  // namespace

ResultWindow::ResultWindow(AppContext& context, QWidget* parent, const QString& name,
                           const QString& frameTitle, const QStringList& optionTexts)
    : QWidget(parent, Qt::Window), context_(context) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    const int count = static_cast<int>(optionTexts.size());

    frame1_ = new QGroupBox(frameTitle, this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    auto* optionRow = new QHBoxLayout(frame1_);
    options_.assign(1, nullptr);
    for (int k = 1; k <= count; ++k) {
        auto* option = new QRadioButton(optionTexts[k - 1], frame1_);
        option->setObjectName(QStringLiteral("Option%1").arg(k));
        optionRow->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, k] { Option_Click(k); });
        options_.push_back(option);
    }

    const ResultSidePanel panel = BuildResultSidePanel(this, frame1_);
    panel_ = panel.layout;
    label1_ = panel.label1;
    label2_ = panel.label2;
    label3_ = panel.label3;
    label5_ = panel.label5;
    back_ = panel.back;
    next_ = panel.next;
    save_ = panel.save;
    allDsp_ = panel.allDsp;
    csv_ = panel.csv;
    pdf_ = panel.pdf;
    print_ = panel.print;
    ok_ = panel.ok;

    // The diagrams and the graph picture share one place, which grows with
    // the window; each diagram has its progress label beside the pictures.
    auto* pictures = new QWidget(this);
    pictures->setObjectName(QStringLiteral("PictureArea"));
    auto* stack = new QGridLayout(pictures);
    stack->setContentsMargins(0, 0, 0, 0);
    auto* progress = new QVBoxLayout();
    diagrams_.assign(1, nullptr);
    progress_.assign(1, nullptr);
    paths_.resize(static_cast<std::size_t>(count) + 1);
    recorders_.resize(static_cast<std::size_t>(count) + 1);
    for (int k = 1; k <= count; ++k) {
        auto* picture = new PictureBox(pictures, NumberedName("Picture1", k));
        stack->addWidget(picture, 0, 0);
        diagrams_.push_back(picture);
        auto* label = new QLabel(this);
        label->setObjectName(NumberedName("Label4", k));
        label->setMinimumWidth(120);
        progress->addWidget(label);
        progress_.push_back(label);
    }
    progress->addStretch();
    picture2_ = new PictureBox(pictures, QStringLiteral("Picture2"));
    stack->addWidget(picture2_, 0, 0);
    // The work surface of the all-image export is never shown.
    picture3_ = std::make_unique<ImageCanvas>();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(panel_);
    pictureColumn_ = new QVBoxLayout();
    pictureColumn_->addWidget(pictures, 1);
    layout->addLayout(pictureColumn_, 1);
    layout->addLayout(progress);

    connect(back_, &QPushButton::clicked, this, &ResultWindow::Command_Back_Click);
    connect(next_, &QPushButton::clicked, this, &ResultWindow::Command_Next_Click);
    connect(save_, &QPushButton::clicked, this, &ResultWindow::Command_PictSave_Click);
    connect(allDsp_, &QPushButton::clicked, this, &ResultWindow::Command_ALLDSP_Click);
    connect(ok_, &QPushButton::clicked, this, &ResultWindow::OKButton_Click);
    connect(csv_, &QPushButton::clicked, this, &ResultWindow::Command_CsvSave_Click);
    connect(pdf_, &QPushButton::clicked, this, &ResultWindow::Command_PdfOut_Click);
    connect(print_, &QPushButton::clicked, this, &ResultWindow::Command_Print_Click);
    // Esc closes the window as 終了 does, as it cancels the wizard before it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &ResultWindow::OKButton_Click);

    for (int k = 1; k <= count; ++k) {
        Diagram(k).canvas().Clear();
        Progress(k).clear();
    }
    picture2_->canvas().Clear();
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::AddPanelButton(QPushButton* button) {
    button->setAutoDefault(false);
    AddPanelWidget(button);
}

void ResultWindow::AddPanelWidget(QWidget* widget) {
    widget->setParent(this);
    const int after = panel_->indexOf(allDsp_) + static_cast<int>(extraButtons_.size());
    panel_->insertWidget(after + 1, widget);
    widget->setEnabled(!computing_);
    extraButtons_.push_back(widget);
}

void ResultWindow::AddBelowPictures(QWidget* widget) {
    widget->setParent(this);
    pictureColumn_->addWidget(widget);
}

void ResultWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activated_ || computing_) return;
    // The computation runs once the window is on the screen, outside the
    // event that showed it.
    QTimer::singleShot(0, this, [this] {
        if (closeAtOnce_) {
            close();
            return;
        }
        if (!activated_) Form_Activate();
    });
}

void ResultWindow::SetControlsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(back_), static_cast<QWidget*>(next_),
                       static_cast<QWidget*>(save_), static_cast<QWidget*>(allDsp_),
                       static_cast<QWidget*>(ok_), static_cast<QWidget*>(frame1_)}) {
        w->setEnabled(enabled);
    }
    for (QWidget* widget : extraButtons_) widget->setEnabled(enabled);
    // The exports need a table that was written.
    for (QPushButton* button : {csv_, pdf_, print_}) button->setEnabled(enabled && !table_.Empty());
}

Canvas& ResultWindow::RecordingDiagram(int k) {
    const auto i = static_cast<std::size_t>(k);
    paths_[i] = RecordingCanvas{};
    recorders_[i] = std::make_unique<TeeCanvas>(Diagram(k).canvas(), paths_[i]);
    return *recorders_[i];
}

void ResultWindow::Form_Activate() {
    activated_ = true;
    computing_ = true;
    context_.computationRunning = true;
    // Nothing the user does may change the pictures or the records while
    // the computation uses them.
    SetControlsEnabled(false);
    for (int k = 1; k <= diagramCount(); ++k) Diagram(k).hide();
    picture2_->hide();
    Progress(1).show();
    for (int k = 2; k <= diagramCount(); ++k) Progress(k).hide();
    resultPage_ = 0;
    UpdatePageLabel();

    const bool ran = Compute();

    Diagram(1).show();
    for (int k = 2; k <= diagramCount(); ++k) Diagram(k).hide();
    picture2_->hide();
    computing_ = false;
    context_.computationRunning = false;
    SetControlsEnabled(true);
    back_->setEnabled(false);
    next_->setEnabled(true);
    frame1_->setEnabled(OptionsUsable());
    emit computationFinished();
    // A run that did not start has no pictures of its own, and the result
    // arrays still hold an earlier run's: the window closes rather than
    // show those under this run's labels.
    if (!ran || closeRequested_) close();
}

void ResultWindow::UpdatePageLabel() {
    label5_->setText(QStringLiteral("画像 %1/6").arg(resultPage_ + 1));
}

void ResultWindow::DrawPage() {
    DrawGraph(picture2_->canvas(), resultPage_);
    picture2_->Refresh();
}

PictureBox& ResultWindow::VisiblePicture() {
    if (resultPage_ > 0) return *picture2_;
    return Diagram(ChosenDiagram());
}

void ResultWindow::ShowDiagramOnly(int k) {
    for (int j = 1; j <= diagramCount(); ++j) {
        Diagram(j).setVisible(j == k);
        Progress(j).setVisible(j == k);
    }
}

void ResultWindow::ShowChosen() {
    if (resultPage_ > 0) {
        DrawPage();
    } else {
        ShowDiagramOnly(ChosenDiagram());
    }
}

void ResultWindow::Command_Next_Click() {
    if (!activated_ || computing_ || resultPage_ >= 5) return;
    ++resultPage_;
    if (resultPage_ == 1) {
        for (int k = 1; k <= diagramCount(); ++k) Diagram(k).hide();
        picture2_->show();
        back_->setEnabled(true);
    }
    DrawPage();
    if (resultPage_ == 5) next_->setEnabled(false);
    UpdatePageLabel();
}

void ResultWindow::Command_Back_Click() {
    if (!activated_ || computing_ || resultPage_ <= 0) return;
    --resultPage_;
    next_->setEnabled(true);
    if (resultPage_ > 0) {
        back_->setEnabled(true);
        DrawPage();
    } else {
        back_->setEnabled(false);
        picture2_->hide();
        ShowDiagramOnly(ChosenDiagram());
    }
    UpdatePageLabel();
}

void ResultWindow::Command_PictSave_Click() {
    if (computing_ || !activated_) return;
    const RunPictures pictures = PicturesOf(ChosenDiagram());
    const int page = resultPage_;
    SavePictureAs(
        context_, this, VisiblePicture().picture(),
        [&pictures, page](Canvas& surface) { DrawRunPicture(surface, pictures, page); },
        RunPictureTitle(page));
}

void ResultWindow::Command_CsvSave_Click() {
    if (computing_ || table_.Empty()) return;
    SaveTableCsvAs(context_, this, table_);
}

void ResultWindow::Command_PdfOut_Click() {
    if (computing_ || table_.Empty()) return;
    SaveReportPdfAs(context_, this, Report());
}

void ResultWindow::Command_Print_Click() {
    if (computing_ || table_.Empty()) return;
    PrintReport(context_, this, Report());
}

bool ResultWindow::ExportImages(const QString& firstTitle) {
    const auto draw = [this](ImageCanvas& picture, int kind) { DrawGraph(picture, kind); };
    auto& drawings = context_.allView.AllViewDrawings;
    for (auto& drawing : drawings) drawing.reset();
    if (!ExportAllViewImages(context_, Diagram(ChosenDiagram()).picture(), *picture3_, draw,
                             firstTitle))
        return false;
    drawings[0] = Diagram(ChosenDiagram()).canvas();
    for (int kind = 1; kind <= 5; ++kind) {
        auto& drawing = drawings[static_cast<std::size_t>(kind)];
        drawing.emplace();
        DrawGraph(*drawing, kind);
    }
    return true;
}

void ResultWindow::Command_ALLDSP_Click() {
    if (computing_ || !activated_) return;
    // The view outlives this window when the user closes it first, so it
    // belongs to the main window.
    OpenAllImageView(context_, parentWidget(), [this] { return ExportAllImages(); });
}

void ResultWindow::OKButton_Click() { close(); }

void ResultWindow::closeEvent(QCloseEvent* event) {
    if (computing_) {
        // Closing waits for the running computation, which draws on this
        // window's pictures; the window closes as soon as it has finished.
        closeRequested_ = true;
        event->ignore();
        return;
    }
    Unload();
    event->accept();
}

void ResultWindow::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
}

}  // namespace mk::app
