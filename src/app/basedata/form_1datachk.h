#pragma once
// The survey data check: one pair of survey quantities at a time is fitted
// with a polynomial, suspicious plots are marked on the graph and listed,
// and each first examination of a pair goes into a check report next to the
// survey file. No survey file is changed.

#include <QDialog>

#include "app/app_context.h"
#include "core/basedata/data_check.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace mk::app {

class GraphPicture;

class Form_1DATACHK : public QDialog {
    Q_OBJECT
public:
    Form_1DATACHK(AppContext& context, QWidget* parent = nullptr);

    void mnuFileOPEN_Click();
    void mnuFileCLOSE_Click();
    void mnuFileEXIT_Click();
    void mnuDimension_Click(int choice);  // 1..4
    void Command1B_Click();
    void Command1F_Click();
    void Command2B_Click();
    void Command2F_Click();

    const GraphPicture& picture() const { return *picture1_; }
    const CheckReport& report() const { return report_; }

protected:
    void done(int result) override;

private:
    enum class ReportStart { Now, AtFirstStep };
    // Shows the DAT file of the window's last use again, when it is still
    // there and reads without a word.
    void ReopenLastFile();
    void EnterNoData();
    void EnterDataLoaded(ReportStart reportStart);
    void CreateReport();
    // Makes a report that was waiting for the first step, with what the
    // examinations so far had for it.
    void StartWaitingReport();
    void Examine();
    void StepX(int delta);
    void StepY(int delta);

    AppContext& context_;
    CheckState state_;
    CheckReport report_;
    bool dataLoaded_ = false;
    bool reportWaiting_ = false;
    std::vector<std::string> waitingLines_;

    GraphPicture* picture1_ = nullptr;
    QListWidget* list1_ = nullptr;
    QLineEdit *text1_ = nullptr, *text2_ = nullptr;
    QPushButton *c1b_ = nullptr, *c1f_ = nullptr, *c2b_ = nullptr, *c2f_ = nullptr;
    QLabel *labelDesc_ = nullptr, *labelDesc2_ = nullptr, *label3_ = nullptr;
    QAction* close_ = nullptr;
    QAction* gsave_ = nullptr;
    std::array<QAction*, 5> dimension_{};  // mnuDimension1..4 at 1..4
};

}  // namespace mk::app
