#include "app/basedata/form_1parainput.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>
#include <optional>

#include "app/basedata/prm_equations.h"
#include "app/services/recent_files.h"
#include "app/widgets/edit_box_signals.h"
#include "app/widgets/number_box.h"
#include "core/model/prm_file.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/paths.h"
#include "core/text/text_compare.h"

namespace mk::app {

namespace {

const QString kCaption = QStringLiteral("管理図パラメータ入力処理");
const QString kFileKind = QStringLiteral("林分密度管理図ﾌｧｲﾙ (*.prm)");
// The PRM file last read or saved here, opened again when the editor opens.
const QString kRecentKey = QStringLiteral("EditorPrm");

QString Scientific(double value) {
    return QString::fromStdString(FormatNumber(value, "0.000000E+00"));
}

// A coefficient in the box's usual form when that form reads back as the
// same value; otherwise with every digit the file keeps, so that showing a
// value and leaving its box never changes it.
QString Shown(double value) {
    const QString scientific = Scientific(value);
    if (ParseReal(scientific.toStdString()) == value) return scientific;
    return QString::fromStdString(GeneralNumber(value));
}

}  // namespace

Form_1PARAINPUT::Form_1PARAINPUT(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("Form_1PARAINPUT"));

    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    auto addAction = [](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    new_ = addAction(file, "mnuFileNEW", QStringLiteral("新規作成(&N)"));
    QAction* open = addAction(file, "mnuFileOPEN", QStringLiteral("開く(&O)"));
    save_ = addAction(file, "mnuFileSAVE", QStringLiteral("上書き保存(&S)"));
    saveAs_ = addAction(file, "mnuFileSAVEAS", QStringLiteral("名前を付けて保存(&A)"));
    close_ = addAction(file, "mnuFileCLOSE", QStringLiteral("閉じる(&C)"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    QAction* exit = addAction(file, "mnuFileEXIT", QStringLiteral("終了(&X)"));
    option_ = menuBar->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    option_->setObjectName(QStringLiteral("mnuOption"));
    dsp6_ = addAction(option_, "mnuOptionDSP6", QStringLiteral("最多密度材積式を有効にする"));
    dsp6_->setCheckable(true);
    layout->setMenuBar(menuBar);

    labelDesc_ = new QLabel(this);
    labelDesc_->setObjectName(QStringLiteral("Label_Desc"));
    layout->addWidget(labelDesc_);
    const PrmEquationBoxes boxes = BuildPrmEquations(this);
    text_ = boxes.text;
    group_ = boxes.group;
    for (int i = 1; i <= 17; ++i) {
        connect(text_[static_cast<size_t>(i)], &QLineEdit::editingFinished, this,
                [this, i] { Text_LostFocus(i); });
    }
    layout->addStretch();

    connect(new_, &QAction::triggered, this, &Form_1PARAINPUT::mnuFileNEW_Click);
    connect(open, &QAction::triggered, this, &Form_1PARAINPUT::mnuFileOPEN_Click);
    connect(save_, &QAction::triggered, this, &Form_1PARAINPUT::mnuFileSAVE_Click);
    connect(saveAs_, &QAction::triggered, this, &Form_1PARAINPUT::mnuFileSAVEAS_Click);
    connect(close_, &QAction::triggered, this, &Form_1PARAINPUT::mnuFileCLOSE_Click);
    connect(exit, &QAction::triggered, this, &Form_1PARAINPUT::mnuFileEXIT_Click);
    connect(dsp6_, &QAction::triggered, this, &Form_1PARAINPUT::mnuOptionDSP6_Click);
    Reset();
    ReopenLastFile();
}

void Form_1PARAINPUT::ReopenLastFile() {
    DensityDiagramParameters loaded;
    const std::string path = ReopenRecalledFile(
        *context_.services.settings, kRecentKey,
        [&loaded](const std::string& p, Messages& quiet) { return ReadPrmFile(p, loaded, quiet); });
    if (path.empty()) return;
    context_.ws.Diagram = loaded;
    ShowOpened(QString::fromStdString(path));
}

void Form_1PARAINPUT::SetGroupState(int group, int state) {
    QWidget* box = group_[static_cast<size_t>(group)];
    box->setVisible(state != 0);
    for (int i = FirstParameterOf(group); i <= LastParameterOf(group); ++i) {
        QLineEdit* text = text_[static_cast<size_t>(i)];
        text->setReadOnly(state != 2);
        QPalette palette = text->palette();
        palette.setColor(QPalette::Base,
                         state == 2 ? QColor(Qt::white) : palette.color(QPalette::Button));
        text->setPalette(palette);
    }
}

void Form_1PARAINPUT::Reset() {
    EditPath_.clear();
    EditModified_ = false;
    EditState_ = 0;
    ClearDensityDiagram(context_.ws.Diagram);
    Prm(0) = 1;
    new_->setEnabled(true);
    save_->setEnabled(false);
    saveAs_->setEnabled(false);
    close_->setEnabled(false);
    option_->setEnabled(false);
    dsp6_->setChecked(false);
    setWindowTitle(kCaption);
    labelDesc_->setText(
        QStringLiteral("パラメータデータを新規作成、または既存のファイルのデータを編集します。"));
    for (int i = 1; i <= 17; ++i) ShowBox(i, QString());
    for (int g = 1; g <= 5; ++g) SetGroupState(g, 1);
    SetGroupState(6, 0);
}

void Form_1PARAINPUT::ShowData() {
    for (int i = 1; i <= 17; ++i) ShowBox(i, Shown(Prm(i)));
    for (int g = 1; g <= 5; ++g) SetGroupState(g, 2);
    SetGroupState(6, Prm(0) != 0 && Prm(0) != 1 ? 2 : 0);
}

bool Form_1PARAINPUT::CloseData() {
    if ((EditState_ == 1 || EditState_ == 2) && EditModified_) {
        const std::string name =
            EditPath_.isEmpty() ? std::string("新規データ") : FileNamePart(EditPath_.toStdString());
        const MessageAnswer answer =
            context_.messages().Show(name + "を保存しますか？", kCaption.toStdString(),
                                     MessageIcon::Warning, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::Yes) {
            QString path = EditPath_;
            if (path.isEmpty()) path = AskName(true);
            if (path.isEmpty()) return false;
            // Data that could not be saved are not dropped.
            if (!Write(path)) return false;
        }
    }
    Reset();
    return true;
}

QString Form_1PARAINPUT::AskName(bool save) {
    const QString folder = QDir::currentPath() + QLatin1Char('/');
    const QString filter = kFileKind + QStringLiteral("|*.prm");
    if (!save) {
        const QString preset = folder + QStringLiteral("*.prm");
        const std::optional<QString> chosen = context_.services.files->Open(
            this, {kFileKind + QStringLiteral("の読み込み"), filter, preset});
        if (!chosen || TextEquals(chosen->toStdString(), preset.toStdString())) return {};
        return *chosen;
    }
    QString preset = EditPath_;
    if (preset.isEmpty()) {
        preset =
            QString::fromStdString(MakeSaveName(folder.toStdString(), ".prm", context_.messages()));
    }
    const std::optional<QString> chosen =
        AskSaveFileName(*context_.services.files, context_.messages(), this,
                        {.title = kFileKind + QStringLiteral("を名前を付けて保存"),
                         .filter = filter,
                         .presetName = preset,
                         .defaultSuffix = QStringLiteral("prm"),
                         .promptCreate = true});
    return chosen ? *chosen : QString();
}

bool Form_1PARAINPUT::Write(const QString& path) {
    if (!WritePrmFile(path.toStdString(), context_.ws.Diagram, context_.messages())) return false;
    RememberFile(*context_.services.settings, kRecentKey, path.toStdString());
    EditModified_ = false;
    return true;
}

void Form_1PARAINPUT::EnterFileState() {
    EditState_ = 2;
    for (QAction* a : {new_, save_, saveAs_, close_}) a->setEnabled(true);
    option_->setEnabled(true);
    setWindowTitle(EditPath_ + QStringLiteral(" －") + kCaption);
    labelDesc_->clear();
}

void Form_1PARAINPUT::mnuFileNEW_Click() {
    if (EditState_ != 0 && !CloseData()) return;
    EditState_ = 1;
    new_->setEnabled(true);
    save_->setEnabled(false);
    saveAs_->setEnabled(true);
    close_->setEnabled(true);
    option_->setEnabled(true);
    dsp6_->setChecked(false);
    setWindowTitle(QStringLiteral("新規") + QStringLiteral(" －") + kCaption);
    labelDesc_->clear();
    ClearDensityDiagram(context_.ws.Diagram);
    Prm(0) = 1;
    ShowData();
}

void Form_1PARAINPUT::mnuFileOPEN_Click() {
    if (EditState_ != 0 && !CloseData()) return;
    const QString path = AskName(false);
    if (path.isEmpty()) return;
    if (!ReadPrmFile(path.toStdString(), context_.ws.Diagram, context_.messages())) return;
    RememberFile(*context_.services.settings, kRecentKey, path.toStdString());
    ShowOpened(path);
}

void Form_1PARAINPUT::ShowOpened(const QString& path) {
    EditPath_ = path;
    // Any type but the full-density volume type is edited as the plain type.
    if (Prm(0) != 2) {
        Prm(0) = 1;
        dsp6_->setChecked(false);
    } else {
        dsp6_->setChecked(true);
    }
    ShowData();
    EditModified_ = false;
    EnterFileState();
}

void Form_1PARAINPUT::mnuFileSAVE_Click() {
    if (EditState_ != 2) return;
    Write(EditPath_);
}

void Form_1PARAINPUT::mnuFileSAVEAS_Click() {
    if (EditState_ != 1 && EditState_ != 2) return;
    const QString path = AskName(true);
    if (path.isEmpty()) return;
    if (!Write(path)) return;
    EditPath_ = path;
    EnterFileState();
}

void Form_1PARAINPUT::mnuFileCLOSE_Click() { CloseData(); }

void Form_1PARAINPUT::mnuFileEXIT_Click() {
    if (CloseData()) QDialog::reject();
}

void Form_1PARAINPUT::reject() {
    if (CloseData()) QDialog::reject();
}

void Form_1PARAINPUT::mnuOptionDSP6_Click() {
    if (EditState_ == 0) return;
    // The trigger has toggled the check already; the type decides.
    if (Prm(0) == 2) {
        Prm(0) = 1;
        dsp6_->setChecked(false);
        SetGroupState(6, 0);
    } else {
        Prm(0) = 2;
        dsp6_->setChecked(true);
        ShowBox(16, Shown(Prm(16)));
        ShowBox(17, Shown(Prm(17)));
        SetGroupState(6, 2);
    }
    // The type is part of the file: switching it is a change to be saved.
    EditModified_ = true;
}

void Form_1PARAINPUT::ShowBox(int index, const QString& text) {
    text_[static_cast<size_t>(index)]->setText(text);
    shown_[static_cast<size_t>(index)] = text;
}

void Form_1PARAINPUT::Text_LostFocus(int index) {
    if (EditState_ == 0 || index < 1 || index > 17) return;
    QLineEdit* text = text_[static_cast<size_t>(index)];
    if (text->isReadOnly()) return;
    // A box only passed through keeps its value and leaves the data unchanged.
    if (text->text() == shown_[static_cast<size_t>(index)]) return;
    const std::optional<double> value =
        ReadRealBox(*text, context_.messages(), kCaption.toStdString());
    if (value && *value != Prm(index)) {
        Prm(index) = *value;
        EditModified_ = true;
    }
    ShowBox(index, Shown(Prm(index)));
}

Form_1PARAINPUT::~Form_1PARAINPUT() { DisconnectEditBoxes(this); }

}  // namespace mk::app
