#include "app/basedata/form_1heightcurve.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "app/basedata/graph_picture.h"
#include "app/basedata/survey_file_dialog.h"
#include "app/services/recent_files.h"
#include "app/widgets/edit_box_signals.h"
#include "app/widgets/label_text.h"
#include "app/widgets/number_box.h"
#include "core/basedata/curve_graph.h"
#include "core/basedata/data_check.h"
#include "core/basedata/parameter_files.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/paths.h"
#include "core/text/text_compare.h"
#include "render/bmp_file.h"

namespace mk::app {

namespace {

constexpr Color kButtonFace = 12632256;  // RGB 192, 192, 192
// The DAT file last fitted from here, in either kind of curve: both are
// usually fitted from the same survey data one after the other.
const QString kRecentKey = QStringLiteral("CurveDat");

QString Scientific(double value) {
    return QString::fromStdString(FormatNumber(value, "0.000000E+00"));
}

void SetBoxBackground(QLineEdit* box, bool window) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, window ? QColor(Qt::white) : QColor(192, 192, 192));
    box->setPalette(palette);
}

}  // namespace

Form_1HEIGHTCURVE::Form_1HEIGHTCURVE(AppContext& context, CurveMode mode, QWidget* parent)
    : QDialog(parent), context_(context), CurveMode_(mode) {
    setObjectName(QStringLiteral("Form_1HEIGHTCURVE"));
    setWindowTitle(QStringLiteral("＊＊＊曲線式の決定"));

    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    auto addAction = [](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QAction* open = addAction(file, "mnuFileOPEN", QStringLiteral("開く(&O)"));
    close_ = addAction(file, "mnuFileCLOSE", QStringLiteral("閉じる(&C)"));
    gsave_ = addAction(file, "mnuFileGSave", QStringLiteral("画像の保存(&E)"));
    file->addSeparator();
    QAction* exit = addAction(file, "mnuFileEXIT", QStringLiteral("終了(&X)"));
    option_ = menuBar->addMenu(QStringLiteral("地位別上層樹高曲線式(&O)"));
    option_->setObjectName(QStringLiteral("mnuOption"));
    const char* const itemNames[] = {"", "mnuOptionT1", "mnuOptionT2", "mnuOptionT3",
                                     "mnuOptionT4"};
    const QString itemTexts[] = {QString(), QStringLiteral("ＭITSCHERLICH式"),
                                 QStringLiteral("logistic式"), QStringLiteral("ＧOMPERTZ式"),
                                 QStringLiteral("自動選択")};
    for (int i = 1; i <= 4; ++i) {
        QAction* item = addAction(option_, itemNames[i], itemTexts[i]);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { mnuOption_Click(i); });
        optionItem_[static_cast<size_t>(i)] = item;
    }
    layout->setMenuBar(menuBar);

    labelDesc_ = new QLabel(this);
    labelDesc_->setObjectName(QStringLiteral("Label_Desc"));
    layout->addWidget(labelDesc_);
    auto* body = new QHBoxLayout();
    picture1_ = new GraphPicture(this, QStringLiteral("Picture1"));
    // The graph takes whatever room the window is given.
    body->addWidget(picture1_, 1);
    auto* side = new QVBoxLayout();
    labelDesc2_ = new QLabel(this);
    labelDesc2_->setObjectName(QStringLiteral("Label_Desc2"));
    labelCalc_ = new QLabel(this);
    labelCalc_->setObjectName(QStringLiteral("Label_CalcSTR"));
    labelCalc_->setWordWrap(true);
    side->addWidget(labelDesc2_);
    side->addWidget(labelCalc_);
    auto* grid = new QGridLayout();
    const QString captions[] = {
        QString(),
        QStringLiteral("PARA(1)"),
        QStringLiteral("PARA(2)"),
        QStringLiteral("PARA(3)"),
        mode == CurveMode::SiteCurve ? QStringLiteral("変動帯係数") : QStringLiteral("PARA(4)"),
        QStringLiteral("残差平方和")};
    for (int i = 1; i <= 5; ++i) {
        auto* label = new QLabel(captions[i], this);
        label->setObjectName(QStringLiteral("Label%1").arg(i));
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text%1").arg(i));
        box->setFixedWidth(150);
        box->setAlignment(Qt::AlignRight);
        label_[static_cast<size_t>(i)] = label;
        text_[static_cast<size_t>(i)] = box;
        grid->addWidget(label, i - 1, 0);
        grid->addWidget(box, i - 1, 1);
        if (i <= 4) {
            connect(box, &QLineEdit::editingFinished, this, [this, i] { Text_LostFocus(i); });
        }
    }
    side->addLayout(grid);
    check1_ = new QCheckBox(QStringLiteral("自動初期値設定"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    side->addWidget(check1_);
    label3x_ = new QLabel(this);
    label3x_->setObjectName(QStringLiteral("Label3x"));
    label3x_->setWordWrap(true);
    label3x_->setMinimumHeight(80);
    label3x_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    side->addWidget(label3x_);
    side->addStretch();
    auto* buttons = new QHBoxLayout();
    go_ = new QPushButton(QStringLiteral("計算開始"), this);
    go_->setObjectName(QStringLiteral("Command_GO"));
    cancel_ = new QPushButton(QStringLiteral("中止"), this);
    cancel_->setObjectName(QStringLiteral("Command_Cancel"));
    for (QPushButton* b : {go_, cancel_}) {
        b->setAutoDefault(false);
        b->setMinimumSize(110, 34);
        buttons->addWidget(b);
    }
    side->addLayout(buttons);
    auto* sidePanel = new QWidget(this);
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(300);
    body->addWidget(sidePanel);
    layout->addLayout(body, 1);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));

    connect(open, &QAction::triggered, this, &Form_1HEIGHTCURVE::mnuFileOPEN_Click);
    connect(close_, &QAction::triggered, this, &Form_1HEIGHTCURVE::mnuFileCLOSE_Click);
    connect(gsave_, &QAction::triggered, this, &Form_1HEIGHTCURVE::mnuFileGSave_Click);
    connect(exit, &QAction::triggered, this, &Form_1HEIGHTCURVE::mnuFileEXIT_Click);
    connect(check1_, &QCheckBox::clicked, this, &Form_1HEIGHTCURVE::Check1_Click);
    connect(go_, &QPushButton::clicked, this, &Form_1HEIGHTCURVE::Command_GO_Click);
    connect(cancel_, &QPushButton::clicked, this, &Form_1HEIGHTCURVE::Command_Cancel_Click);
    connect(timer1_, &QTimer::timeout, this, &Form_1HEIGHTCURVE::Timer1_Timer);

    // Load.
    control_.pump = context_.services.pump;
    control_.stopRequested = false;
    control_.onEvaluate = [this](const CurveParameters& para) { ShowParameters(para); };
    control_.onFinished = [this](double bestSS) { text_[5]->setText(Scientific(bestSS)); };
    control_.beep = [] { QApplication::beep(); };
    cancelRequested_ = false;
    timer1_->stop();
    timer1_->setInterval(100);
    baseCaption_ = QString::fromStdString(CurveWindowBaseCaption(mode));
    autoInitialValues_ = false;
    check1_->setChecked(false);
    check1_->setEnabled(false);
    functionChoice_ = mode == CurveMode::SiteCurve ? 4 : 1;
    ApplyFunctionChoice();
    EnterNoData();
    ReopenLastFile();
}

void Form_1HEIGHTCURVE::ReopenLastFile() {
    SurveyDataSet loaded;
    FitData data;
    const CurveMode mode = CurveMode_;
    const std::string path = ReopenRecalledFile(*context_.services.settings, kRecentKey,
                                                [&](const std::string& p, Messages& quiet) {
                                                    if (!ReadSurveyFile(p, loaded, quiet))
                                                        return false;
                                                    data = BuildFitData(mode, loaded);
                                                    return data.n > 0;
                                                });
    if (path.empty()) return;
    context_.SurveyData = std::move(loaded);
    ShowLoaded(std::move(data));
}

std::string Form_1HEIGHTCURVE::Name(int code) const { return FunctionName(CurveMode_, code); }

int Form_1HEIGHTCURVE::CodeAtHand() const {
    if (CurveMode_ == CurveMode::HeightStemCurve) return kMitscherlich;
    return functionChoice_ == 4 ? selection_.selectionStep : functionChoice_;
}

void Form_1HEIGHTCURVE::EnterNoData() {
    dataLoaded_ = false;
    ClearSurveyDataSet(context_.SurveyData);
    data_ = FitData{};
    close_->setEnabled(false);
    gsave_->setEnabled(false);
    picture1_->Paint([](Canvas& canvas) {
        canvas.Clear();
        canvas.Box(0, 0, GraphPicture::kShownWidth, GraphPicture::kShownHeight, kButtonFace, true);
    });
    picture1_->setEnabled(false);
    labelDesc2_->hide();
    setWindowTitle(baseCaption_);
    for (int i = 1; i <= 5; ++i) {
        text_[static_cast<size_t>(i)]->clear();
        text_[static_cast<size_t>(i)]->setEnabled(false);
        SetBoxBackground(text_[static_cast<size_t>(i)], false);
        label_[static_cast<size_t>(i)]->setEnabled(false);
    }
    go_->setEnabled(false);
    cancel_->setEnabled(false);
    cancel_->hide();
    check1_->setEnabled(false);
    const bool site = CurveMode_ == CurveMode::SiteCurve;
    labelDesc_->setText(
        site ? QStringLiteral("DATファイルデータを使用して地位別上層樹高曲線式を決定します。")
             : QStringLiteral("DATファイルデータを使用して上層樹高－本数曲線式を決定します。"));
    labelCalc_->clear();
    label3x_->clear();
    if (site) {
        label_[4]->setText(QStringLiteral("変動帯係数"));
        text_[4]->setReadOnly(true);
    } else {
        option_->setEnabled(false);
    }
    text_[5]->setReadOnly(true);
}

void Form_1HEIGHTCURVE::EnterDataLoaded() {
    dataLoaded_ = true;
    close_->setEnabled(true);
    gsave_->setEnabled(true);
    const std::string& path = context_.SurveyData.filePath;
    setWindowTitle(QString::fromStdString(path) + QStringLiteral(" －") + baseCaption_);
    labelDesc_->setText(QString::fromStdString(FileNamePart(path) + "  データ数：" +
                                               AlignRight(IntText(context_.SurveyData.count), 5)));
    selection_.selectionStep = 1;
    labelDesc2_->show();
    if (CurveMode_ == CurveMode::HeightStemCurve) {
        labelDesc2_->setText(QStringLiteral("ＧOMPERTZ式変形を使用します。"));
    }
    picture1_->Paint([](Canvas& canvas) { canvas.Clear(); });
    picture1_->setEnabled(true);
    for (int i = 1; i <= 5; ++i) {
        text_[static_cast<size_t>(i)]->setEnabled(true);
        SetBoxBackground(text_[static_cast<size_t>(i)], true);
        label_[static_cast<size_t>(i)]->setEnabled(true);
    }
    check1_->setEnabled(true);
    if (CurveMode_ == CurveMode::SiteCurve) option_->setEnabled(true);
    go_->setEnabled(true);
}

void Form_1HEIGHTCURVE::ApplyFunctionChoice() {
    for (int i = 1; i <= 4; ++i)
        optionItem_[static_cast<size_t>(i)]->setChecked(i == functionChoice_);
    if (CurveMode_ == CurveMode::SiteCurve) {
        labelDesc2_->setText(
            functionChoice_ == 4
                ? QStringLiteral("３式から残差平方和最小のものを選びます。")
                : QString::fromStdString(Name(functionChoice_) + "を使用します。"));
        if (dataLoaded_) {
            labelCalc_->setText(functionChoice_ == 4 ? QString()
                                                     : QString::fromStdString(FunctionFormula(
                                                           CurveMode_, functionChoice_)));
        }
    }
    RefreshStartingValues();
    if (CurveMode_ == CurveMode::SiteCurve) text_[4]->clear();
    text_[5]->clear();
}

void Form_1HEIGHTCURVE::RefreshStartingValues() {
    if (!dataLoaded_) {
        go_->setEnabled(false);
        return;
    }
    const bool site = CurveMode_ == CurveMode::SiteCurve;
    const int m = ParameterCount(CurveMode_);
    bool ready = false;
    for (int i = 1; i <= m; ++i) {
        QLineEdit* box = text_[static_cast<size_t>(i)];
        box->setEnabled(!autoInitialValues_);
        box->setReadOnly(autoInitialValues_);
    }
    if (autoInitialValues_) {
        ready = EstimateInitialValues(CurveMode_, CodeAtHand(), data_, para_);
        if (!ready) ShowCannotFit();
    } else {
        ready = CheckManualInitialValues(CurveMode_, para_);
    }
    go_->setEnabled(ready);
    ShowParameters(para_);
    const QString all = site ? QStringLiteral("(3)") : QStringLiteral("(4)");
    if (autoInitialValues_) {
        label3x_->setText(QStringLiteral("PARAMETER(1)～") + all +
                          QStringLiteral("は自動で設定されます。\n計算を開始できます。"));
    } else if (!site || functionChoice_ != 4) {
        label3x_->setText(QStringLiteral("PARAMETER(1)～") + all +
                          QStringLiteral("を入力して下さい。"));
    } else if (selection_.selectionStep == 1) {
        label3x_->setText(QString::fromStdString(Name(1)) +
                          QStringLiteral("のPARAMETER(1)～(3)を入力して下さい。"));
    }
}

void Form_1HEIGHTCURVE::ShowParameters(const CurveParameters& para) {
    const int m = ParameterCount(CurveMode_);
    for (int i = 1; i <= m; ++i)
        text_[static_cast<size_t>(i)]->setText(Scientific(para[static_cast<size_t>(i - 1)]));
}

void Form_1HEIGHTCURVE::mnuOption_Click(int choice) {
    if (CurveMode_ != CurveMode::SiteCurve || computing_) return;
    functionChoice_ = choice;
    ApplyFunctionChoice();
}

void Form_1HEIGHTCURVE::Check1_Click() {
    autoInitialValues_ = check1_->isChecked();
    RefreshStartingValues();
}

void Form_1HEIGHTCURVE::Text_LostFocus(int box) {
    if (!dataLoaded_ || computing_ || box < 1 || box > ParameterCount(CurveMode_)) return;
    QLineEdit* text = text_[static_cast<size_t>(box)];
    if (text->isReadOnly()) return;
    double& para = para_[static_cast<size_t>(box - 1)];
    if (text->text() == Scientific(para)) return;
    const std::optional<double> value =
        ReadRealBox(*text, context_.messages(), windowTitle().toStdString());
    if (!value || *value == para) {
        text->setText(Scientific(para));
        return;
    }
    para = *value;
    RefreshStartingValues();
}

void Form_1HEIGHTCURVE::mnuFileOPEN_Click() {
    if (computing_) return;
    if (dataLoaded_) EnterNoData();
    const QString path = AskSurveyFile(context_, this, SurveyDialogMode::Open);
    if (path.isEmpty()) return;
    if (!ReadSurveyFile(path.toStdString(), context_.SurveyData, context_.messages())) return;
    FitData data = BuildFitData(CurveMode_, context_.SurveyData);
    if (data.n == 0) {
        const std::string name = FileNamePart(context_.SurveyData.filePath);
        EnterNoData();
        context_.messages().Show(name + std::string(kNoUsableDataText),
                                 std::string(kNoUsableDataTitle), MessageIcon::Error);
        return;
    }
    RememberFile(*context_.services.settings, kRecentKey, path.toStdString());
    ShowLoaded(std::move(data));
}

void Form_1HEIGHTCURVE::ShowLoaded(FitData data) {
    para_ = CurveParameters{};
    data_ = std::move(data);
    EnterDataLoaded();
    RefreshStartingValues();
    DrawFrame();
    if (CurveMode_ == CurveMode::SiteCurve) {
        ApplyFunctionChoice();
    } else {
        labelCalc_->setText(QStringLiteral("Y=PARA(4)-PARA(1)*EXP(-PARA(2)*EXP(-PARA(3)*X))"));
    }
}

void Form_1HEIGHTCURVE::mnuFileCLOSE_Click() {
    if (computing_) return;
    EnterNoData();
}

void Form_1HEIGHTCURVE::mnuFileGSave_Click() { SaveGraphPicture(context_, this, *picture1_); }

void Form_1HEIGHTCURVE::mnuFileEXIT_Click() { reject(); }

void Form_1HEIGHTCURVE::reject() {
    if (computing_) {
        cancelRequested_ = true;
        return;
    }
    QDialog::reject();
}

void Form_1HEIGHTCURVE::DrawFrame() {
    const std::string title = FileNamePart(DatPath());
    picture1_->Paint([&](Canvas& canvas) { DrawCurveFrame(canvas, CurveMode_, data_, title); });
}

void Form_1HEIGHTCURVE::EnterComputing() {
    computing_ = true;
    go_->setEnabled(false);
    cancel_->show();
    cancel_->setEnabled(true);
    timer1_->start();
    cancelRequested_ = false;
}

void Form_1HEIGHTCURVE::LeaveComputing() {
    cancel_->setEnabled(false);
    cancel_->hide();
    timer1_->stop();
    computing_ = false;
}

void Form_1HEIGHTCURVE::RestoreControls() {
    check1_->setEnabled(true);
    if (CurveMode_ == CurveMode::SiteCurve) option_->setEnabled(true);
    cancel_->hide();
    cancel_->setEnabled(false);
}

void Form_1HEIGHTCURVE::Command_Cancel_Click() { cancelRequested_ = true; }

void Form_1HEIGHTCURVE::Timer1_Timer() {
    if (timerBusy_) return;
    timerBusy_ = true;
    if (cancelRequested_) {
        control_.stopRequested = true;
        LeaveComputing();
        computing_ = true;  // the fit is still on the stack until its next checkpoint
    }
    timerBusy_ = false;
}

void Form_1HEIGHTCURVE::Command_GO_Click() {
    if (!dataLoaded_ || computing_) return;
    control_.stopRequested = false;
    cancelRequested_ = false;
    if (CurveMode_ == CurveMode::SiteCurve && functionChoice_ == 4) {
        RunSelection();
    } else {
        RunSingle();
    }
}

void Form_1HEIGHTCURVE::ShowCannotFit() {
    context_.messages().Show(std::string(kCannotFitText), windowTitle().toStdString(),
                             MessageIcon::Error);
}

void Form_1HEIGHTCURVE::ClearFitValues() {
    if (CurveMode_ == CurveMode::SiteCurve) text_[4]->clear();
    text_[5]->clear();
}

bool Form_1HEIGHTCURVE::ConfirmPlausible(const FitResult& fit) {
    const std::string reason = ImplausibleFitReason(CurveMode_, data_, fit);
    if (reason.empty()) return true;
    const std::string kind =
        CurveMode_ == CurveMode::SiteCurve ? "地位別上層樹高曲線" : "上層樹高－本数曲線";
    const std::string text = "計算された " + Name(fit.code) + " の曲線は" + kind +
                             "として妥当でない可能性があります。\r\n" + reason +
                             "\r\n初期値を変えて計算し直すことをお勧めします。\r\n\r\n"
                             "このままパラメータファイルに書き込みますか？";
    const MessageAnswer answer = context_.messages().Show(
        text, windowTitle().toStdString(), MessageIcon::Warning, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) return true;
    SetLabelText(label3x_, label3x_->text() +
                               QStringLiteral("\n（パラメータファイルは書き込んでいません。）"));
    return false;
}

void Form_1HEIGHTCURVE::SaveResult(const FitResult& fit, bool chosen) {
    if (!ConfirmPlausible(fit)) return;
    const std::string written =
        WriteCurveParameterFile(CurveMode_, DatPath(), fit, chosen, context_.messages());
    if (!written.empty()) writtenFiles_.push_back(written);
}

void Form_1HEIGHTCURVE::RunSingle() {
    const int code = CodeAtHand();
    EnterComputing();
    option_->setEnabled(false);
    check1_->setEnabled(false);
    DrawFrame();
    const FitResult fit = FitCurve(CurveMode_, code, data_, para_, control_);
    LeaveComputing();
    const bool done = fit.status == FitStatus::Converged;
    if (done) {
        para_ = fit.para;
        ShowParameters(para_);
        picture1_->Paint([&](Canvas& canvas) {
            DrawFittedCurve(canvas, CurveMode_, data_, fit);
            DrawParameterAnnotation(canvas, CurveMode_, fit);
        });
        QApplication::beep();
        if (CurveMode_ == CurveMode::SiteCurve) text_[4]->setText(Scientific(fit.bandCoefficient));
        text_[5]->setText(Scientific(fit.bestSS));
    } else {
        // The boxes show where the search stopped; no band or residual sum
        // of an earlier fit may stand beside them.
        ClearFitValues();
        if (fit.status == FitStatus::CannotFit) ShowCannotFit();
    }
    SetLabelText(label3x_,
                 Name(code) + (done ? " の計算が完了しました。" : " の計算を中断しました。"));
    RestoreControls();
    go_->setEnabled(false);
    if (done) SaveResult(fit, false);
}

void Form_1HEIGHTCURVE::RunSelection() {
    for (;;) {
        const int step = selection_.selectionStep;
        EnterComputing();
        if (step == 1) {
            selection_.haveBest = false;
            option_->setEnabled(false);
            check1_->setEnabled(false);
            DrawFrame();
            labelDesc2_->setText(QStringLiteral("３式から残差平方和最小のものを選びます。"));
        }
        // The formula of the function whose parameters the boxes show.
        labelCalc_->setText(QString::fromStdString(FunctionFormula(CurveMode_, step)));
        ClearFitValues();
        const FitResult fit = FitCurve(CurveMode_, step, data_, para_, control_);
        LeaveComputing();
        const bool done = fit.status == FitStatus::Converged;
        if (done) {
            KeepBetterFit(selection_, fit);
            picture1_->Paint(
                [&](Canvas& canvas) { DrawFittedCurve(canvas, CurveMode_, data_, fit); });
            QApplication::beep();
        }
        std::string text =
            Name(step) + (done ? " の計算が完了しました。" : " の計算を中断しました。");
        if (!done) {
            ClearFitValues();
            SetLabelText(label3x_, text);
            // A function that cannot be fitted ends the selection as a stop does.
            if (fit.status == FitStatus::CannotFit) ShowCannotFit();
            RestoreControls();
            go_->setEnabled(false);
            return;
        }
        text_[4]->setText(Scientific(fit.bandCoefficient));
        text_[5]->setText(Scientific(fit.bestSS));
        selection_.selectionStep = step + 1;
        if (step == 3) {
            SetLabelText(label3x_, text);
            Conclude();
            return;
        }
        if (!autoInitialValues_) {
            text += "\r\n\r\n" + Name(step + 1) + "のPARAMETER(1)～(3)を入力して下さい。";
            SetLabelText(label3x_, text);
            // What is asked for now is the next function's starting values.
            labelCalc_->setText(QString::fromStdString(FunctionFormula(CurveMode_, step + 1)));
            ClearFitValues();
            cancel_->hide();
            go_->setEnabled(CheckManualInitialValues(CurveMode_, para_));
            return;
        }
        SetLabelText(label3x_, text);
        if (!EstimateInitialValues(CurveMode_, step + 1, data_, para_)) {
            ShowCannotFit();
            RestoreControls();
            go_->setEnabled(false);
            return;
        }
        ShowParameters(para_);
    }
}

void Form_1HEIGHTCURVE::Conclude() {
    go_->setEnabled(false);
    selection_.selectionStep = 1;
    RestoreControls();
    const FitResult& best = selection_.best;
    para_ = best.para;
    ShowParameters(para_);
    text_[4]->setText(Scientific(best.bandCoefficient));
    text_[5]->setText(Scientific(best.bestSS));
    labelDesc2_->setText(QString::fromStdString(Name(best.code)));
    SetLabelText(label3x_, Name(best.code) + " を採用しました。");
    labelCalc_->setText(QString::fromStdString(FunctionFormula(CurveMode_, best.code)));
    picture1_->Paint([&](Canvas& canvas) {
        DrawChosenMark(canvas, CurveMode_, best.code);
        DrawParameterAnnotation(canvas, CurveMode_, best);
    });
    SaveResult(best, true);
}

Form_1HEIGHTCURVE::~Form_1HEIGHTCURVE() { DisconnectEditBoxes(this); }

}  // namespace mk::app
