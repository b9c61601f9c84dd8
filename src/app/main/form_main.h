#pragma once
// The main window: the entry point of every job of the program.

#include <QMainWindow>

namespace mk::app {

class Form_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Form_Main(QWidget* parent = nullptr);
};

}  // namespace mk::app
