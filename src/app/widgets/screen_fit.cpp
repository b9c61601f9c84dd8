#include "app/widgets/screen_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace mk::app {

namespace {

const char* const kFittedProperty = "morikoyomiFitted";

// The room a window has on its screen, less its frame and title bar.
QSize Room(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return screen->availableGeometry().size() - QSize(16, title + 16);
}

}  // namespace

bool FitToScreen(QWidget* window) {
    if (window == nullptr || !window->isWindow()) return false;
    if (window->property(kFittedProperty).toBool()) return false;
    // Main windows and frames keep their own arrangement (menus, children).
    if (qobject_cast<QMainWindow*>(window) != nullptr) return false;
    QLayout* layout = window->layout();
    if (layout == nullptr) return false;
    const QSize room = Room(window);
    if (!room.isValid()) return false;
    const QSize wanted = window->sizeHint().expandedTo(window->minimumSizeHint());
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) return false;
    window->setProperty(kFittedProperty, true);

    // The window's layout, with its controls, moves into the scroll area's
    // page; names and parents below the window stay as they were.
    auto* page = new QWidget();
    page->setObjectName(QStringLiteral("ScrolledPage"));
    QMenuBar* menu = nullptr;
    if (QWidget* bar = layout->menuBar()) menu = qobject_cast<QMenuBar*>(bar);
    if (menu != nullptr) layout->setMenuBar(nullptr);
    page->setLayout(layout);
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("ScrollArea"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    if (menu != nullptr) outer->setMenuBar(menu);
    outer->addWidget(scroll);
    // A fixed size would defeat the scroll area.
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->resize(wanted.boundedTo(room));
    if (QScreen* screen = window->screen()) {
        const QRect available = screen->availableGeometry();
        window->move(available.topLeft());
    }
    return true;
}

bool ScreenFitter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow()) FitToScreen(widget);
    }
    return QObject::eventFilter(watched, event);
}

void InstallScreenFit() {
    if (QCoreApplication::instance() == nullptr) return;
    static ScreenFitter* fitter = new ScreenFitter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(fitter);
}

}  // namespace mk::app
