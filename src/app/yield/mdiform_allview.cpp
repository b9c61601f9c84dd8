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
        LoadBmp(picture->canvas(), files_.AllViewImageFiles[n].toStdString());
        QMdiSubWindow* sub = area_->addSubWindow(child);
        sub->setWindowTitle(files_.AllViewImageTitles[n]);
        sub->show();
    }
    // Three across and two down at full size, or as much of that as the
    // screen holds; the children are tiled to share the frame.
    QSize wanted(3 * (kCanvasWidth + 12) + 8, 2 * (kCanvasHeight + 36) + 40);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * 0.95;
        wanted = wanted.boundedTo(room);
    }
    resize(wanted);
}

void MDIForm_ALLVIEW::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Laid out once the frame has its size on the screen.
    QTimer::singleShot(0, this, &MDIForm_ALLVIEW::TileChildren);
}

void MDIForm_ALLVIEW::TileChildren() {
    // Three across and two down, in the order of the images.
    const QList<QMdiSubWindow*> children = area_->subWindowList(QMdiArea::CreationOrder);
    const QSize room = area_->viewport()->size();
    const int width = room.width() / 3;
    const int height = room.height() / 2;
    for (int i = 0; i < children.size(); ++i) {
        children[i]->setGeometry((i % 3) * width, (i / 3) * height, width, height);
    }
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
