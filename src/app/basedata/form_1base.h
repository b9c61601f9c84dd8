#pragma once
// The base data menu: survey data entry and check, the density diagram's
// coefficients, and the two curve determinations. Each task opens modally,
// so only one of them works on the shared survey data set at a time.

#include <QDialog>

#include "app/app_context.h"
#include "core/basedata/curve_fitting.h"

class QPushButton;

namespace mk::app {

class Form_1BASE : public QDialog {
    Q_OBJECT
public:
    Form_1BASE(AppContext& context, QWidget* parent = nullptr);

    void Command1_1_Click();
    void Command1_2_Click();
    void Command1_3_Click();
    void Command2_Click();
    void Command3_Click();
    void Command_Exit_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OpenCurveWindow(CurveMode mode);

    AppContext& context_;
    QPushButton* exit_ = nullptr;
    bool activated_ = false;
};

}  // namespace mk::app
