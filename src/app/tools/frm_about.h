#pragma once
// The about box: title, version, description and copyright of the program.

#include <QDialog>

#include "app/app_context.h"

namespace mk::app {

// "Version " + major right-aligned in two places + "." + minor and revision
// with at least two digits: "Version  1.00.12".
QString VersionText(int major, int minor, int revision);

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(AppContext& context, QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    AppContext& context_;
};

}  // namespace mk::app
