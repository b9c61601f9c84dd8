#pragma once
// The all-image view: the six exported images of a result window side by
// side, each in its own child window of one frame. The temporary image
// files are deleted when the frame closes.

#include <QMainWindow>

#include "app/app_context.h"

class QMdiArea;

namespace mk::app {

class MDIForm_ALLVIEW : public QMainWindow {
    Q_OBJECT
public:
    MDIForm_ALLVIEW(AppContext& context, QWidget* parent = nullptr);
    ~MDIForm_ALLVIEW() override;

    void mnuFileExit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();
    void TileChildren();

    AppContext& context_;
    AllViewData files_;  // what this view shows and must delete
    QMdiArea* area_;
    bool unloaded_ = false;
};

}  // namespace mk::app
