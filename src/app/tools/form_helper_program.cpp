#include "app/tools/form_helper_program.h"

#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/tools/dialog_helper_setting.h"

namespace mk::app {

namespace {

const QString kGroup = QStringLiteral("Helper");

}  // namespace

Form_HelperProgram::Form_HelperProgram(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("Form_HelperProgram"));
    setWindowTitle(QStringLiteral("補助プログラムの実行"));

    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = file->addAction(QStringLiteral("閉じる(&C)"));
    exit->setObjectName(QStringLiteral("mnuFileExit"));
    QMenu* env = menuBar->addMenu(QStringLiteral("環境設定(&O)"));
    env->setObjectName(QStringLiteral("mnuEnv"));
    QAction* editer = env->addAction(QStringLiteral("エディターの設定(&E)"));
    editer->setObjectName(QStringLiteral("mnuEnvEditer"));
    QAction* filer = env->addAction(QStringLiteral("ファイラーの設定(&F)"));
    filer->setObjectName(QStringLiteral("mnuEnvFiler"));
    layout->setMenuBar(menuBar);

    command1_ = new QPushButton(QStringLiteral("エディターの起動"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command2_ = new QPushButton(QStringLiteral("ファイラーの起動"), this);
    command2_->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* b : {command1_, command2_}) {
        b->setMinimumSize(240, 40);
        b->setAutoDefault(false);
        layout->addWidget(b);
    }
    layout->setContentsMargins(24, 12, 24, 20);
    layout->setSpacing(12);

    connect(command1_, &QPushButton::clicked, this, &Form_HelperProgram::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form_HelperProgram::Command2_Click);
    connect(editer, &QAction::triggered, this, &Form_HelperProgram::mnuEnvEditer_Click);
    connect(filer, &QAction::triggered, this, &Form_HelperProgram::mnuEnvFiler_Click);
    connect(exit, &QAction::triggered, this, &Form_HelperProgram::mnuFileExit_Click);
    Form_Load();
}

void Form_HelperProgram::Form_Load() {
    savedDirectory_ = QDir::currentPath();
    SettingsStore& store = *context_.services.settings;
    editerPath_ = store.Read(kGroup, QStringLiteral("EditerPath"));
    editerPara_ = store.Read(kGroup, QStringLiteral("EditerPara"));
    filerPath_ = store.Read(kGroup, QStringLiteral("FilerPath"));
    filerPara_ = store.Read(kGroup, QStringLiteral("FilerPara"));
    command1_->setEnabled(!editerPath_.isEmpty());
    command2_->setEnabled(!filerPath_.isEmpty());
}

void Form_HelperProgram::Command1_Click() { StartProgram(editerPath_, editerPara_); }

void Form_HelperProgram::Command2_Click() { StartProgram(filerPath_, filerPara_); }

void Form_HelperProgram::StartProgram(const QString& path, const QString& arguments) {
    if (path.isEmpty()) return;
    // The path is the program as it stands, blanks and all; only the
    // argument text is split into words.
    if (!context_.services.processes->StartDetached(path, SplitArguments(arguments))) {
        context_.messages().Show("プログラムを起動できません。\r\n" + path.toStdString(),
                                 windowTitle().toStdString(), MessageIcon::Error);
    }
}

void Form_HelperProgram::mnuEnvEditer_Click() { Configure(0); }

void Form_HelperProgram::mnuEnvFiler_Click() { Configure(1); }

void Form_HelperProgram::Configure(int mode) {
    QString& path = mode == 0 ? editerPath_ : filerPath_;
    QString& arguments = mode == 0 ? editerPara_ : filerPara_;
    Dialog_HelperSetting dialog(context_, mode, path, arguments, this);
    context_.services.dialogs->Run(dialog);
    if (dialog.settingResult() != 1) return;
    path = dialog.path();
    arguments = dialog.arguments();
    (mode == 0 ? command1_ : command2_)->setEnabled(!path.isEmpty());
}

void Form_HelperProgram::mnuFileExit_Click() { reject(); }

void Form_HelperProgram::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void Form_HelperProgram::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    SettingsStore& store = *context_.services.settings;
    store.Write(kGroup, QStringLiteral("EditerPath"), editerPath_);
    store.Write(kGroup, QStringLiteral("EditerPara"), editerPara_);
    store.Write(kGroup, QStringLiteral("FilerPath"), filerPath_);
    store.Write(kGroup, QStringLiteral("FilerPara"), filerPara_);
    if (!savedDirectory_.isEmpty()) QDir::setCurrent(savedDirectory_);
}

}  // namespace mk::app
