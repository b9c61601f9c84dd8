#include "app/basedata/form_1datachk.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/basedata/graph_picture.h"
#include "app/basedata/survey_file_dialog.h"
#include "app/services/recent_files.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"

namespace mk::app {

namespace {

const QString kCaption = QString::fromUtf8(kCheckCaption.data(), kCheckCaption.size());
constexpr Color kButtonFace = 12632256;  // RGB 192, 192, 192
// The DAT file last read here, shown again when the window opens.
const QString kRecentKey = QStringLiteral("CheckDat");

void SetListBackground(QListWidget* list, bool window) {
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, window ? QColor(Qt::white) : QColor(192, 192, 192));
    list->setPalette(palette);
}

}  // namespace

Form_1DATACHK::Form_1DATACHK(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("Form_1DATACHK"));

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
    // The graph can be kept with the report, as in the curve windows.
    gsave_ = addAction(file, "mnuFileGSave", QStringLiteral("画像の保存(&E)"));
    file->addSeparator();
    QAction* exit = addAction(file, "mnuFileEXIT", QStringLiteral("終了(&X)"));
    QMenu* dimension = menuBar->addMenu(QStringLiteral("あてはめ次数(&D)"));
    dimension->setObjectName(QStringLiteral("mnuDimension"));
    const QString texts[] = {QString(), QStringLiteral("1次式"), QStringLiteral("2次式"),
                             QStringLiteral("3次式"), QStringLiteral("1～3次式")};
    for (int i = 1; i <= 4; ++i) {
        QAction* item = addAction(dimension, "", texts[i]);
        item->setObjectName(QStringLiteral("mnuDimension%1").arg(i));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { mnuDimension_Click(i); });
        dimension_[static_cast<size_t>(i)] = item;
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
    labelDesc2_->setWordWrap(true);
    side->addWidget(labelDesc2_);
    auto* grid = new QGridLayout();
    auto makeArrow = [this](const char* name, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        button->setFixedWidth(32);
        return button;
    };
    c1b_ = makeArrow("Command1B", QStringLiteral("<"));
    c1f_ = makeArrow("Command1F", QStringLiteral(">"));
    c2b_ = makeArrow("Command2B", QStringLiteral("<"));
    c2f_ = makeArrow("Command2F", QStringLiteral(">"));
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text2_ = new QLineEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    for (QLineEdit* box : {text1_, text2_}) {
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignCenter);
    }
    grid->addWidget(new QLabel(QStringLiteral("Ｘ"), this), 0, 0);
    grid->addWidget(c1b_, 0, 1);
    grid->addWidget(text1_, 0, 2);
    grid->addWidget(c1f_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Ｙ"), this), 1, 0);
    grid->addWidget(c2b_, 1, 1);
    grid->addWidget(text2_, 1, 2);
    grid->addWidget(c2f_, 1, 3);
    side->addLayout(grid);
    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    side->addWidget(label3_);
    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    side->addWidget(list1_, 1);
    auto* sidePanel = new QWidget(this);
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(260);
    body->addWidget(sidePanel);
    layout->addLayout(body, 1);

    connect(open, &QAction::triggered, this, &Form_1DATACHK::mnuFileOPEN_Click);
    connect(close_, &QAction::triggered, this, &Form_1DATACHK::mnuFileCLOSE_Click);
    connect(gsave_, &QAction::triggered, this,
            [this] { SaveGraphPicture(context_, this, *picture1_); });
    connect(exit, &QAction::triggered, this, &Form_1DATACHK::mnuFileEXIT_Click);
    connect(c1b_, &QPushButton::clicked, this, &Form_1DATACHK::Command1B_Click);
    connect(c1f_, &QPushButton::clicked, this, &Form_1DATACHK::Command1F_Click);
    connect(c2b_, &QPushButton::clicked, this, &Form_1DATACHK::Command2B_Click);
    connect(c2f_, &QPushButton::clicked, this, &Form_1DATACHK::Command2F_Click);

    state_.degreeChoice = 4;
    for (int i = 1; i <= 4; ++i) dimension_[static_cast<size_t>(i)]->setChecked(i == 4);
    ResetCheckState(state_);
    EnterNoData();
    ReopenLastFile();
}

void Form_1DATACHK::ReopenLastFile() {
    SurveyDataSet loaded;
    const std::string path = ReopenRecalledFile(*context_.services.settings, kRecentKey,
                                                [&loaded](const std::string& p, Messages& quiet) {
                                                    return ReadSurveyFile(p, loaded, quiet);
                                                });
    if (path.empty()) return;
    context_.SurveyData = std::move(loaded);
    // Opening the window only to look, or to open another file, should not
    // leave a new report behind: this one is made at the first step.
    EnterDataLoaded(ReportStart::AtFirstStep);
}

void Form_1DATACHK::EnterNoData() {
    dataLoaded_ = false;
    ClearSurveyDataSet(context_.SurveyData);
    close_->setEnabled(false);
    gsave_->setEnabled(false);
    list1_->clear();
    SetListBackground(list1_, false);
    setWindowTitle(kCaption);
    labelDesc_->setText(QStringLiteral("DATファイルのデータを吟味します。"));
    labelDesc2_->hide();
    label3_->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{text1_, text2_, c1b_, c1f_, c2b_, c2f_}) {
        w->setEnabled(false);
    }
    text1_->clear();
    text2_->clear();
    picture1_->Paint([](Canvas& canvas) {
        canvas.Clear();
        canvas.Box(0, 0, GraphPicture::kShownWidth, GraphPicture::kShownHeight, kButtonFace, true);
    });
    picture1_->setEnabled(false);
    report_.Close();
    reportWaiting_ = false;
    waitingLines_.clear();
}

void Form_1DATACHK::mnuFileOPEN_Click() {
    // The file dialog comes first; a cancelled dialog keeps what is open.
    const QString path = AskSurveyFile(context_, this, SurveyDialogMode::Open);
    if (path.isEmpty()) return;
    EnterNoData();
    if (!ReadSurveyFile(path.toStdString(), context_.SurveyData, context_.messages())) return;
    RememberFile(*context_.services.settings, kRecentKey, path.toStdString());
    EnterDataLoaded(ReportStart::Now);
}

void Form_1DATACHK::EnterDataLoaded(ReportStart reportStart) {
    dataLoaded_ = true;
    const std::string& path = context_.SurveyData.filePath;
    close_->setEnabled(true);
    gsave_->setEnabled(true);
    setWindowTitle(QString::fromStdString(path) + QStringLiteral(" －") + kCaption);
    labelDesc_->setText(QString::fromStdString(FileNamePart(path) + "  データ数：" +
                                               AlignRight(IntText(context_.SurveyData.count), 5)));
    labelDesc2_->show();
    picture1_->setEnabled(true);
    list1_->clear();
    SetListBackground(list1_, true);
    for (QWidget* w : std::initializer_list<QWidget*>{text1_, text2_, c1b_, c1f_, c2b_, c2f_}) {
        w->setEnabled(true);
    }
    ResetCheckState(state_);
    reportWaiting_ = reportStart == ReportStart::AtFirstStep;
    if (!reportWaiting_) CreateReport();
    Examine();
}

void Form_1DATACHK::CreateReport() {
    const std::string& path = context_.SurveyData.filePath;
    const std::string reportPath = MakeSaveName(FolderPart(path), ".CHK", context_.messages());
    if (!reportPath.empty()) report_.Create(reportPath, path, context_.messages());
}

void Form_1DATACHK::StartWaitingReport() {
    if (!reportWaiting_) return;
    reportWaiting_ = false;
    CreateReport();
    if (report_.isOpen()) report_.Append(waitingLines_, context_.messages());
    waitingLines_.clear();
}

void Form_1DATACHK::Examine() {
    text1_->setText(QString::fromStdString(CheckVariableName(state_.xIndex)));
    text2_->setText(QString::fromStdString(CheckVariableName(state_.yIndex)));
    labelDesc2_->setText(
        QString::fromStdString(CheckPairDescription(state_.xIndex, state_.yIndex)));
    list1_->clear();
    const Examination result =
        RunExamination(context_.SurveyData, state_, nullptr, report_.isOpen() ? &report_ : nullptr,
                       context_.messages(), windowTitle().toStdString());
    if (reportWaiting_) {
        waitingLines_.insert(waitingLines_.end(), result.reportLines.begin(),
                             result.reportLines.end());
    }
    picture1_->Paint([&](Canvas& canvas) { DrawCheckGraph(canvas, state_, result.outcome); });
    label3_->setText(QString::fromStdString(result.label3));
    for (const std::string& line : result.listLines) list1_->addItem(QString::fromStdString(line));
}

void Form_1DATACHK::StepX(int delta) {
    state_.xIndex = std::clamp(state_.xIndex + delta, 0, kCheckVariableCount - 1);
    if (!dataLoaded_) return;
    StartWaitingReport();
    Examine();
}

void Form_1DATACHK::StepY(int delta) {
    state_.yIndex = std::clamp(state_.yIndex + delta, 0, kCheckVariableCount - 1);
    if (!dataLoaded_) return;
    StartWaitingReport();
    Examine();
}

void Form_1DATACHK::Command1B_Click() { StepX(-1); }
void Form_1DATACHK::Command1F_Click() { StepX(1); }
void Form_1DATACHK::Command2B_Click() { StepY(-1); }
void Form_1DATACHK::Command2F_Click() { StepY(1); }

void Form_1DATACHK::mnuDimension_Click(int choice) {
    state_.degreeChoice = choice;
    for (int i = 1; i <= 4; ++i) dimension_[static_cast<size_t>(i)]->setChecked(i == choice);
    if (!dataLoaded_) return;
    StartWaitingReport();
    Examine();
}

void Form_1DATACHK::mnuFileCLOSE_Click() { EnterNoData(); }

void Form_1DATACHK::mnuFileEXIT_Click() { reject(); }

void Form_1DATACHK::done(int result) {
    report_.Close();
    QDialog::done(result);
}

}  // namespace mk::app
