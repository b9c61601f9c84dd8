#include "app/yield/mdiform_allview.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include "app/widgets/picture_box.h"
#include "render/bmp_file.h"

namespace mk::app {

MDIForm_ALLVIEW::MDIForm_ALLVIEW(AppContext& context, QWidget* parent)
    : QMainWindow(parent, Qt::Window), context_(context), files_(context.allView) {
    // The folder of the images is this view's alone from now on.
    context.allView.AllViewFolder.reset();
    setObjectName(QStringLiteral("MDIForm_ALLVIEW"));
    setAttribute(Qt::WA_DeleteOnClose);
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = file->addAction(QStringLiteral("終了(&X)"));
    exit->setObjectName(QStringLiteral("mnuFileExit"));
    connect(exit, &QAction::triggered, this, &MDIForm_ALLVIEW::mnuFileExit_Click);
    QMenu* windows = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
    windows->setObjectName(QStringLiteral("mnuWindow"));
    QAction* tile = windows->addAction(QStringLiteral("並べて表示(&T)"));
    tile->setObjectName(QStringLiteral("mnuWindowTile"));
    connect(tile, &QAction::triggered, this, &MDIForm_ALLVIEW::mnuWindowTile_Click);
    QAction* cascade = windows->addAction(QStringLiteral("重ねて表示(&C)"));
    cascade->setObjectName(QStringLiteral("mnuWindowCascade"));
    connect(cascade, &QAction::triggered, this, &MDIForm_ALLVIEW::mnuWindowCascade_Click);
    windows->addSeparator();
    for (int n = 0; n <= 5; ++n) {
        QAction* view = windows->addAction(QStringLiteral("&%1 ").arg(n + 1) +
                                           files_.AllViewImageTitles[static_cast<std::size_t>(n)]);
        view->setObjectName(QStringLiteral("mnuWindowView%1").arg(n, 2, 10, QLatin1Char('0')));
        view->setCheckable(true);
        connect(view, &QAction::triggered, this, [this, n] { mnuWindowView_Click(n); });
    }
    // The check marks tell which pictures are open.
    connect(windows, &QMenu::aboutToShow, this, [this, windows] {
        for (int n = 0; n <= 5; ++n) {
            auto* view = windows->findChild<QAction*>(
                QStringLiteral("mnuWindowView%1").arg(n, 2, 10, QLatin1Char('0')));
            if (view != nullptr)
                view->setChecked(children_[n] != nullptr && children_[n]->isVisible());
        }
    });
    area_ = new QMdiArea(this);
    area_->setObjectName(QStringLiteral("MDIClient"));
    setCentralWidget(area_);
    MDIForm_Load();
}

MDIForm_ALLVIEW::~MDIForm_ALLVIEW() { MDIForm_Unload(); }

void MDIForm_ALLVIEW::MDIForm_Load() {
    context_.flags.AllImageViewOpen = -1;
    setWindowTitle(files_.AllViewHeader);
    for (int n = 0; n <= 5; ++n) {
        auto* child = new QWidget();
        child->setObjectName(QStringLiteral("Dialog_VIEW%1").arg(n, 2, 10, QLatin1Char('0')));
        child->setWindowTitle(files_.AllViewImageTitles[n]);
        auto* layout = new QVBoxLayout(child);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* picture = new PictureBox(child, QStringLiteral("Picture1"), true);
        layout->addWidget(picture);
        // A file that cannot be read leaves its picture blank.
        if (const auto image = LoadBmp(files_.AllViewImageFiles[n].toStdString())) {
            const auto& drawing = files_.AllViewDrawings[static_cast<std::size_t>(n)];
            // The drawing is painted sharp when it is what the file holds.
            if (drawing && drawing->image() == *image) {
                picture->canvas() = *drawing;
            } else {
                picture->canvas().ShowImage(*image);
            }
        }
        QMdiSubWindow* sub = area_->addSubWindow(child);
        // A picture the user closes is only hidden, so the ウィンドウ menu
        // can show it again.
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setWindowTitle(files_.AllViewImageTitles[n]);
        sub->show();
        children_[n] = sub;
    }
    // Three across and two down at full size, or as much of that as the
    // screen holds; the children are tiled to share the frame.
    QSize wanted(3 * (kCanvasWidth + 12) + 8, 2 * (kCanvasHeight + 36) + 40);
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        wanted = wanted.boundedTo(available.size() * 0.95);
        resize(wanted);
        // Whole on the screen, title bar included.
        move(available.topLeft() + QPoint((available.width() - wanted.width()) / 2,
                                          (available.height() - wanted.height()) / 4));
    } else {
        resize(wanted);
    }
}

void MDIForm_ALLVIEW::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Laid out once the frame has its size on the screen.
    QTimer::singleShot(0, this, &MDIForm_ALLVIEW::TileChildren);
}

void MDIForm_ALLVIEW::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!cascaded_) TileChildren();
}

void MDIForm_ALLVIEW::TileChildren() {
    // Three across and two down (two across and three down on a tall
    // frame), in the order of the images; pictures the user closed leave
    // their place empty.
    const QSize room = area_->viewport()->size();
    const bool tall = room.height() > room.width();
    const int across = tall ? 2 : 3;
    const int down = tall ? 3 : 2;
    const int width = room.width() / across;
    const int height = room.height() / down;
    for (int i = 0; i <= 5; ++i) {
        if (children_[i] == nullptr) continue;
        children_[i]->setGeometry((i % across) * width, (i / across) * height, width, height);
    }
}

void MDIForm_ALLVIEW::mnuWindowTile_Click() {
    cascaded_ = false;
    TileChildren();
}

void MDIForm_ALLVIEW::mnuWindowCascade_Click() {
    cascaded_ = true;
    area_->cascadeSubWindows();
}

void MDIForm_ALLVIEW::mnuWindowView_Click(int n) {
    QMdiSubWindow* child = children_[n];
    if (child == nullptr) return;
    if (!child->isVisible()) {
        child->show();
        if (!cascaded_) TileChildren();
    }
    area_->setActiveSubWindow(child);
}

void MDIForm_ALLVIEW::mnuFileExit_Click() {
    MDIForm_Unload();
    close();
}

void MDIForm_ALLVIEW::closeEvent(QCloseEvent* event) {
    MDIForm_Unload();
    event->accept();
}

void MDIForm_ALLVIEW::MDIForm_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    // A file that is already gone is simply not there to delete.
    for (const QString& path : files_.AllViewImageFiles) {
        if (!path.isEmpty()) QFile::remove(path);
    }
    files_.AllViewFolder.reset();
    context_.flags.AllImageViewOpen = 0;
}

}  // namespace mk::app
