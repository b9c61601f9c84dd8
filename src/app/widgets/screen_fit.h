#pragma once
// Every window fits its screen: a window whose laid-out size is larger than
// the room the screen offers gets its contents in a scroll area and opens
// at the size of that room, so each control can still be reached on a
// small laptop screen or at a large scale factor.

#include <QObject>

class QWidget;

namespace mk::app {

// Puts window's contents into a scroll area when its size hint exceeds the
// available room of its screen, and keeps it on the screen. True when the
// window was changed. A window without a layout of its own is left alone.
bool FitToScreen(QWidget* window);

// Applies FitToScreen to every top-level window when it is first shown.
class ScreenFitter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs a ScreenFitter on the running application.
void InstallScreenFit();

}  // namespace mk::app
