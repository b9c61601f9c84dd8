#include "app/main/form_main.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/basedata/form_1base.h"
#include "app/main/app_texts.h"
#include "app/planning/dialog_com2dsp.h"
#include "app/planning/planning_wizard.h"
#include "app/tables/form_table_view.h"
#include "app/tools/form_helper_program.h"
#include "app/tools/frm_about.h"
#include "app/widgets/app_icon.h"
#include "app/yield/dialog_com3dsp.h"
#include "app/yield/volume_table_setup.h"
#include "app/yield/yield_wizard.h"

namespace mk::app {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) button->setToolTip(hint);
    button->setMinimumSize(200, 44);
    return button;
}

std::string Std(const QString& text) { return text.toStdString(); }

}  // namespace

Form_Main::Form_Main(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(ProgramCaption());
    setWindowIcon(AppIcon());
    BuildControls();
    Form_Load();
}

void Form_Main::BuildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(28, 20, 28, 24);
    layout->setSpacing(18);

    auto* heading = new QLabel(QStringLiteral("「一斉林」作業メニュー"), central);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont mincho;
    mincho.setFamilies({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"),
                        QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP")});
    mincho.setPointSize(22);
    heading->setFont(mincho);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(14);
    auto* b1 = MakeButton(central, "Command1", QStringLiteral("基礎資料の作成"),
                          QStringLiteral("基礎資料の作成・地位別上層樹高曲線の決定・上層樹高－本数曲線式"
                                         "の決定を行います。"));
    auto* b2 = MakeButton(central, "Command2", QStringLiteral("施業体系の編成"),
                          QStringLiteral("施業計画立案の支援を行います。"));
    auto* b3 = MakeButton(central, "Command3", QStringLiteral("収穫予測表の作成"),
                          QStringLiteral("収穫予測表を作成します。"));
    auto* b4 = MakeButton(central, "Command4", QStringLiteral("林分材積表の作成"),
                          QStringLiteral("林分材積表の作成を行います。"));
    auto* b5 = MakeButton(central, "Command5", QStringLiteral("補助プログラムの実行"), QString());
    auto* exit = MakeButton(central, "Command_Exit", QStringLiteral("終了"),
                            QStringLiteral("プログラムを終了します。"));
    exit->setMinimumWidth(110);
    exit->setMaximumWidth(130);
    grid->addWidget(b1, 0, 0);
    grid->addWidget(b2, 0, 1);
    grid->addWidget(b3, 1, 0);
    grid->addWidget(b4, 1, 1);
    grid->addWidget(b5, 2, 0);
    grid->addWidget(exit, 2, 1, Qt::AlignRight);
    layout->addLayout(grid);
    setCentralWidget(central);

    connect(b1, &QPushButton::clicked, this, &Form_Main::Command1_Click);
    connect(b2, &QPushButton::clicked, this, &Form_Main::Command2_Click);
    connect(b3, &QPushButton::clicked, this, &Form_Main::Command3_Click);
    connect(b4, &QPushButton::clicked, this, &Form_Main::Command4_Click);
    connect(b5, &QPushButton::clicked, this, &Form_Main::Command5_Click);
    connect(exit, &QPushButton::clicked, this, &Form_Main::Command_Exit_Click);

    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* tableOpen = file->addAction(QStringLiteral("表を開く(&O)..."));
    tableOpen->setObjectName(QStringLiteral("mnuFileTableOpen"));
    connect(tableOpen, &QAction::triggered, this, &Form_Main::mnuFileTableOpen_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("Mnu_Help"));
    QAction* version = help->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
    version->setObjectName(QStringLiteral("Mnu_HelpVersion"));
    connect(version, &QAction::triggered, this, &Form_Main::Mnu_HelpVersion_Click);
}

void Form_Main::Form_Load() {
    context_.flags.PlanWindowOpen = 0;
    context_.flags.OpenResultWindow = 0;
    context_.flags.AllImageViewOpen = 0;
}

void Form_Main::Command1_Click() {
    // The density diagram editor works on the diagram a running simulation
    // reads.
    if (RefuseWhileComputing()) return;
    Form_1BASE menu(context_, this);
    context_.services.dialogs->Run(menu);
}

void Form_Main::Command2_Click() {
    if (context_.flags.PlanWindowOpen != 0) {
        context_.messages().Show(
            "現在オープン中の収穫予測表の作成ウィンドウを閉じてから実行してください。",
            "実行エラー", MessageIcon::Error);
        return;
    }
    if (RefuseWhileComputing()) return;
    if (!RunPlanningWizard(context_, this)) return;
    context_.flags.PlanWindowOpen = 2;
    auto* window = new Dialog_Com2DSP(context_, this);
    window->show();
}

void Form_Main::Command3_Click() {
    if (context_.flags.OpenResultWindow != 0) {
        RefuseWhileResultOpen(QStringLiteral("実行エラー"));
        return;
    }
    if (RefuseWhileComputing()) return;
    if (!RunYieldWizard(context_, this)) return;
    context_.flags.ResultMode = 0;
    context_.flags.OpenResultWindow = 3;
    OpenResultWindow();
}

void Form_Main::Command4_Click() {
    if (context_.flags.OpenResultWindow != 0) {
        RefuseWhileResultOpen(QStringLiteral("実行エラー"));
        return;
    }
    if (RefuseWhileComputing()) return;
    if (!RunVolumeTableSetup(context_, this)) return;
    context_.flags.ResultMode = 1;
    context_.flags.OpenResultWindow = 4;
    OpenResultWindow();
}

void Form_Main::OpenResultWindow() {
    auto* window = new Dialog_Com3DSP(context_, this);
    window->show();
}

void Form_Main::Command5_Click() {
    Form_HelperProgram launcher(context_, this);
    context_.services.dialogs->Run(launcher);
}

void Form_Main::Mnu_HelpVersion_Click() {
    frmAbout about(context_, this);
    context_.services.dialogs->Run(about);
}

bool Form_Main::RefuseWhileComputing() {
    if (!context_.computationRunning) return false;
    context_.messages().Show("計算中です。計算が終わってから実行してください。", "実行エラー",
                             MessageIcon::Error);
    return true;
}

void Form_Main::RefuseWhileResultOpen(const QString& title) {
    const char* text = nullptr;
    if (context_.flags.OpenResultWindow == 3) {
        text = "現在オープン中の収穫予測表の作成ウィンドウを閉じてから実行してください。";
    } else if (context_.flags.OpenResultWindow == 4) {
        text = "現在オープン中の林分材積表の作成ウィンドウを閉じてから実行してください。";
    }
    if (text == nullptr) return;
    context_.messages().Show(text, Std(title), MessageIcon::Error);
}

void Form_Main::Command_Exit_Click() {
    const WindowFlags& f = context_.flags;
    if (f.AllImageViewOpen != -1 && f.PlanWindowOpen == 0 && f.OpenResultWindow == 0) {
        const MessageAnswer answer =
            context_.messages().Show("システム収穫表：杜の暦『構想』 を終了します。", "プログラムの終了",
                                     MessageIcon::Warning, MessageButtons::OkCancel);
        if (answer != MessageAnswer::Ok) return;
        closingFromExit_ = true;
        close();
        return;
    }
    if (f.AllImageViewOpen == -1) {
        context_.messages().Show(
            "現在オープンしている全画像表示ウィンドウを閉じてから行ってください。", "終了エラー",
            MessageIcon::Error);
    }
    if (f.PlanWindowOpen != 0) {
        context_.messages().Show(
            "現在オープン中の施業体系の編成ウィンドウを閉じてから実行してください。", "終了エラー",
            MessageIcon::Error);
    }
    if (f.OpenResultWindow != 0) RefuseWhileResultOpen(QStringLiteral("終了エラー"));
}

void Form_Main::closeEvent(QCloseEvent* event) {
    // A running simulation writes into windows and files that closing would
    // destroy; the program ends only once it has finished.
    if (context_.computationRunning) {
        event->ignore();
        return;
    }
    if (!closingFromExit_) {
        const MessageAnswer answer = context_.messages().Show(
            "システム収穫表：杜の暦『構想』を終了します。", Std(DefaultMessageTitle()),
            MessageIcon::Warning, MessageButtons::OkCancel);
        if (answer != MessageAnswer::Ok) {
            event->ignore();
            return;
        }
    }
    closingFromExit_ = false;
    event->accept();
    emit closed();
}

void Form_Main::mnuFileTableOpen_Click() { OpenTableFile(context_, this); }

}  // namespace mk::app
