#pragma once
// The survey data editor: a list of survey records to add, correct, delete
// and sort, saved to and read from DAT files, with a prompt before unsaved
// changes are dropped.

#include <QDialog>

#include "app/app_context.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace mk::app {

inline constexpr int kMaxSurveyRecords = 500;

class Form_1DATAINPUT : public QDialog {
    Q_OBJECT
public:
    Form_1DATAINPUT(AppContext& context, QWidget* parent = nullptr);

    void mnuFileNEW_Click();
    void mnuFileOPEN_Click();
    void mnuFileSAVE_Click();
    void mnuFileSAVEAS_Click();
    void mnuFileCLOSE_Click();
    void mnuFileEXIT_Click();
    void Command_AddNew_Click();
    void Command_Del_Click();
    void List1_DblClick();
    // key 1..8: 上層樹高, 立木本数, 幹材積, 断面積, 平均直径, 平均樹高, 林齢, PLOT.
    void mnuSort_Click(int key);

    int editorState() const { return editorState_; }

    // The list line of a record: 84 characters when every value fits.
    static QString ListLine(const SurveyRecord& record);

public slots:
    // The close box asks about unsaved data and stays open when refused.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the DAT file of the editor's last use, when it is still there
    // and reads without a word; otherwise the editor starts empty.
    void ReopenLastFile();
    void ShowOpened(const std::string& path);
    // Writes the set to path and remembers it as the file of the last use.
    bool Save(const std::string& path);
    bool ConfirmDiscard();
    void EnterNoData();
    void EnterState(int state);
    void ApplyControls();
    void FillList(int selectRow);
    void EditRecord(int row);
    void DeleteRow(int row);
    SurveyDataSet& set() { return context_.SurveyData; }

    AppContext& context_;
    int editorState_ = 0;
    QListWidget* list1_ = nullptr;
    QLabel* labelSort_ = nullptr;
    QLabel* labelDesc_ = nullptr;
    QPushButton* addNew_ = nullptr;
    QPushButton* del_ = nullptr;
    QMenu* sortMenu_ = nullptr;
    QAction *new_ = nullptr, *save_ = nullptr, *saveAs_ = nullptr, *close_ = nullptr;
};

}  // namespace mk::app
