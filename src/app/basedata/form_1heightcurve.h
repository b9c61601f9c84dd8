#pragma once
// Determination of the site-class dominant-height curve (PAR) or of the
// dominant-height–stem-number curve (HNP) from a survey data file: the
// pairs are plotted, the simplex fit runs with a live display and a stop
// button, and every completed fit is saved next to the survey file.

#include <QDialog>
#include <array>

#include "app/app_context.h"
#include "core/basedata/curve_fitting.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace mk::app {

class GraphPicture;

class Form_1HEIGHTCURVE : public QDialog {
    Q_OBJECT
public:
    Form_1HEIGHTCURVE(AppContext& context, CurveMode CurveMode, QWidget* parent = nullptr);
    ~Form_1HEIGHTCURVE() override;

    void mnuFileOPEN_Click();
    void mnuFileCLOSE_Click();
    void mnuFileGSave_Click();
    void mnuFileEXIT_Click();
    void mnuOption_Click(int functionChoice);  // 1..4
    void Check1_Click();
    void Text_LostFocus(int box);  // 1..4
    void Command_GO_Click();
    void Command_Cancel_Click();
    void Timer1_Timer();

    const GraphPicture& picture() const { return *picture1_; }
    // The parameter files written by this window, in order.
    const std::vector<std::string>& writtenFiles() const { return writtenFiles_; }

public slots:
    // A running fit is asked to stop instead; the window closes when idle.
    void reject() override;

private:
    // Loads the DAT file of the window's last use again, ready for 計算開始,
    // when it is still there, reads without a word and has usable pairs.
    void ReopenLastFile();
    // Shows the survey data set just read, with its pairs.
    void ShowLoaded(FitData data);
    void EnterNoData();
    void EnterDataLoaded();
    void ApplyFunctionChoice();
    void RefreshStartingValues();
    void ShowParameters(const CurveParameters& para);
    void EnterComputing();
    void LeaveComputing();
    void RestoreControls();
    void DrawFrame();
    void RunSingle();
    void RunSelection();
    void Conclude();
    void SaveResult(const FitResult& fit, bool chosen);
    // Asks before a curve that makes no sense as such a curve is written;
    // true when it is to be written.
    bool ConfirmPlausible(const FitResult& fit);
    // Empties the band coefficient (site mode) and residual sum boxes, which
    // belong to a fit that is no longer the one shown.
    void ClearFitValues();
    void ShowCannotFit();
    int CodeAtHand() const;
    std::string Name(int code) const;
    std::string DatPath() const { return context_.SurveyData.filePath; }

    AppContext& context_;
    const CurveMode CurveMode_;
    QString baseCaption_;
    bool dataLoaded_ = false;
    int functionChoice_ = 1;
    bool autoInitialValues_ = false;
    SelectionState selection_;
    bool cancelRequested_ = false;
    bool timerBusy_ = false;
    bool computing_ = false;
    CurveParameters para_{};
    FitData data_;
    FitControl control_;
    std::vector<std::string> writtenFiles_;

    GraphPicture* picture1_ = nullptr;
    std::array<QLineEdit*, 6> text_{};  // Text1..Text5 at 1..5
    std::array<QLabel*, 6> label_{};    // Label1..Label5 at 1..5
    QCheckBox* check1_ = nullptr;
    QPushButton* go_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* timer1_ = nullptr;
    QLabel *labelDesc_ = nullptr, *labelDesc2_ = nullptr, *label3x_ = nullptr,
           *labelCalc_ = nullptr;
    QAction *close_ = nullptr, *gsave_ = nullptr;
    QMenu* option_ = nullptr;
    std::array<QAction*, 5> optionItem_{};  // mnuOptionT1..T4 at 1..4
};

}  // namespace mk::app
