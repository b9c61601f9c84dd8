#pragma once
// The main window: the start of every job of the program. It drives the
// pages of the yield prediction wizard, opens the result windows and keeps
// the flags that stop a second copy of a result window, or the end of the
// program, while one is open.

#include <QMainWindow>

#include "app/app_context.h"

class QLabel;
class QPushButton;
class QAction;

namespace mk::app {

class Form_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Form_Main(AppContext& context, QWidget* parent = nullptr);

    AppContext& context() { return context_; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command_Exit_Click();
    void Mnu_HelpVersion_Click();
    // 表を開く: a table file written earlier, shown in a table window.
    void mnuFileTableOpen_Click();

signals:
    // The window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void BuildControls();
    // The refusal while the result window is open; shows nothing for a value
    // other than 3 or 4.
    void RefuseWhileResultOpen(const QString& title);
    // A job that clears the run records cannot start while a result window's
    // computation uses them; true when it was refused.
    bool RefuseWhileComputing();
    void OpenResultWindow();

    AppContext& context_;
    // Set when the exit flow has asked already, so closing does not ask again.
    bool closingFromExit_ = false;
};

}  // namespace mk::app
