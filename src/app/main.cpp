#include <QApplication>

#include "app/main/form_main.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("杜の暦『構想』"));
    mk::app::Form_Main window;
    window.show();
    return QApplication::exec();
}
