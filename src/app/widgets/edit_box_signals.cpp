#include "app/widgets/edit_box_signals.h"

#include <QLineEdit>

namespace mk::app {

void DisconnectEditBoxes(QWidget* window) {
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) box->disconnect(window);
}

}  // namespace mk::app
