#pragma once
// The launcher of the external editor and file manager, with their paths
// and arguments kept in the per-user settings store.

#include <QDialog>

#include "app/app_context.h"

class QPushButton;

namespace mk::app {

class Form_HelperProgram : public QDialog {
    Q_OBJECT
public:
    Form_HelperProgram(AppContext& context, QWidget* parent = nullptr);

    void Command1_Click();
    void Command2_Click();
    void mnuEnvEditer_Click();
    void mnuEnvFiler_Click();
    void mnuFileExit_Click();

    QString editerPath() const { return editerPath_; }
    QString editerPara() const { return editerPara_; }
    QString filerPath() const { return filerPath_; }
    QString filerPara() const { return filerPara_; }

protected:
    void done(int result) override;

private:
    void Form_Load();
    void Form_Unload();
    void StartProgram(const QString& path, const QString& arguments);
    // mode 0 the editor, 1 the file manager.
    void Configure(int mode);

    AppContext& context_;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QString editerPath_, editerPara_, filerPath_, filerPara_;
    QString savedDirectory_;
    bool unloaded_ = false;
};

}  // namespace mk::app
