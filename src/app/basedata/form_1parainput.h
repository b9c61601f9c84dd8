#pragma once
// Entry of the coefficients of a stand density control diagram: new data or
// a PRM file opened for changing, saved as a PRM file. It edits the shared
// diagram parameters directly.

#include <QDialog>
#include <array>

#include "app/app_context.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;

namespace mk::app {

class Form_1PARAINPUT : public QDialog {
    Q_OBJECT
public:
    Form_1PARAINPUT(AppContext& context, QWidget* parent = nullptr);
    ~Form_1PARAINPUT() override;

    void mnuFileNEW_Click();
    void mnuFileOPEN_Click();
    void mnuFileSAVE_Click();
    void mnuFileSAVEAS_Click();
    void mnuFileCLOSE_Click();
    void mnuFileEXIT_Click();
    void mnuOptionDSP6_Click();
    void Text_LostFocus(int index);  // 1..17

    int EditState() const { return EditState_; }
    bool EditModified() const { return EditModified_; }
    const QString& EditPath() const { return EditPath_; }

public slots:
    // The close box offers unsaved data for saving and stays open when refused.
    void reject() override;

private:
    // Opens the PRM file of the editor's last use, when it is still there
    // and reads without a word; otherwise the editor starts empty.
    void ReopenLastFile();
    void ShowOpened(const QString& path);
    void Reset();
    void ShowData();
    bool CloseData();
    // 0 hidden, 1 shown read-only, 2 shown editable.
    void SetGroupState(int group, int state);
    void EnterFileState();
    QString AskName(bool save);
    bool Write(const QString& path);
    // Shows a text in a box and remembers it as what the box shows.
    void ShowBox(int index, const QString& text);
    double& Prm(int i) { return context_.ws.Diagram.Prm[static_cast<size_t>(i)]; }

    AppContext& context_;
    int EditState_ = 0;
    QString EditPath_;
    bool EditModified_ = false;
    std::array<QLineEdit*, 18> text_{};  // Text1..Text17 at 1..17
    std::array<QString, 18> shown_{};    // what each box was last given to show
    std::array<QWidget*, 7> group_{};    // groups 1..6
    QLabel* labelDesc_ = nullptr;
    QAction *new_ = nullptr, *save_ = nullptr, *saveAs_ = nullptr, *close_ = nullptr;
    QMenu* option_ = nullptr;
    QAction* dsp6_ = nullptr;
};

}  // namespace mk::app
