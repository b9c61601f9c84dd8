#include "app/main/form_main.h"

namespace mk::app {

Form_Main::Form_Main(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QStringLiteral("杜の暦『構想』"));
}

}  // namespace mk::app
