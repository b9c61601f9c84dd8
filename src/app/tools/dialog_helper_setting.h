#pragma once
// The settings dialog of the launcher: the path and arguments of the editor
// (mode 0) or the file manager (mode 1).

#include <QDialog>

#include "app/app_context.h"

class QLineEdit;

namespace mk::app {

class Dialog_HelperSetting : public QDialog {
    Q_OBJECT
public:
    Dialog_HelperSetting(AppContext& context, int mode, const QString& path,
                         const QString& arguments, QWidget* parent = nullptr);

    void Command1_Click();
    void OKButton_Click();
    void CancelButton_Click();

    // 1 after OK, 0 otherwise.
    int settingResult() const { return result_; }
    QString path() const { return path_; }
    QString arguments() const { return arguments_; }

private:
    AppContext& context_;
    QString word_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    int result_ = 0;
    QString path_, arguments_;
};

}  // namespace mk::app
