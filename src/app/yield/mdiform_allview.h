#pragma once
// The all-image view: the six exported images of a result window side by
// side, each in its own child window of one frame. The temporary image
// files are deleted when the frame closes.

#include <QMainWindow>

#include "app/app_context.h"

class QMdiArea;
class QMdiSubWindow;

namespace mk::app {

class MDIForm_ALLVIEW : public QMainWindow {
    Q_OBJECT
public:
    MDIForm_ALLVIEW(AppContext& context, QWidget* parent = nullptr);
    ~MDIForm_ALLVIEW() override;

    void mnuFileExit_Click();
    // ウィンドウ menu: the six pictures side by side, or stacked with their
    // title bars showing; a picture closed by the user is shown again.
    void mnuWindowTile_Click();
    void mnuWindowCascade_Click();
    void mnuWindowView_Click(int n);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();
    void TileChildren();

    AppContext& context_;
    AllViewData files_;  // what this view shows and must delete
    QMdiArea* area_;
    QMdiSubWindow* children_[6]{};
    // The user chose 重ねて表示: resizing the frame leaves the stack alone.
    bool cascaded_ = false;
    bool unloaded_ = false;
};

}  // namespace mk::app
