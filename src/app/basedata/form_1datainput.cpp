#include "app/basedata/form_1datainput.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/basedata/dialog_1inputdataope.h"
#include "app/basedata/survey_file_dialog.h"
#include "app/services/recent_files.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"

namespace mk::app {

namespace {

const QString kCaption = QStringLiteral("調査値データ入力処理");
// The DAT file last read or saved here, opened again when the editor opens.
const QString kRecentKey = QStringLiteral("EditorDat");

std::string Whole(long long value, int width) { return AlignRight(IntText(value), width); }
std::string Real(double value, int width) { return FormatRight(value, "0.0", width); }

// The sort keys in the order of the handlers' numbers.
double SortKey(const SurveyRecord& r, int key) {
    switch (key) {
        case 1:
            return r.dominantHeight;
        case 2:
            return r.stemsPerHa;
        case 3:
            return r.stemVolume;
        case 4:
            return r.basalArea;
        case 5:
            return r.meanDiameter;
        case 6:
            return r.meanHeight;
        case 7:
            return r.standAge;
        default:
            return r.plot;
    }
}

struct SortEntry {
    int key;
    const char* name;
    const char* caption;
};

// The menu order puts PLOT first.
const SortEntry kSortEntries[] = {{8, "mnuSort8", "P L O T"},  {1, "mnuSort1", "上層樹高"},
                                  {2, "mnuSort2", "立木本数"}, {3, "mnuSort3", "幹 材 積"},
                                  {4, "mnuSort4", "断 面 積"}, {5, "mnuSort5", "平均直径"},
                                  {6, "mnuSort6", "平均樹高"}, {7, "mnuSort7", " 林 齢"}};

}  // namespace

QString Form_1DATAINPUT::ListLine(const SurveyRecord& r) {
    std::string line = Whole(r.number, 6);
    line += "  " + Whole(r.plot, 8);
    line += "  " + Real(r.dominantHeight, 8);
    line += "  " + Whole(r.stemsPerHa, 8);
    line += "  " + Real(r.stemVolume, 8);
    line += "  " + Real(r.basalArea, 8);
    line += "  " + Real(r.meanDiameter, 8);
    line += "  " + Real(r.meanHeight, 8);
    line += "  " + Whole(r.standAge, 6);
    return QString::fromStdString(line);
}

Form_1DATAINPUT::Form_1DATAINPUT(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("Form_1DATAINPUT"));

    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    auto addAction = [this](QMenu* menu, const char* name, const QString& text) {
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
    sortMenu_ = menuBar->addMenu(QStringLiteral("並べ替え(&S)"));
    sortMenu_->setObjectName(QStringLiteral("mnuSort"));
    for (const SortEntry& entry : kSortEntries) {
        QAction* action = addAction(sortMenu_, entry.name, QString::fromUtf8(entry.caption));
        const int key = entry.key;
        connect(action, &QAction::triggered, this, [this, key] { mnuSort_Click(key); });
    }
    layout->setMenuBar(menuBar);

    labelDesc_ = new QLabel(this);
    labelDesc_->setObjectName(QStringLiteral("Label_Desc"));
    layout->addWidget(labelDesc_);
    QFont fixed;
    fixed.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                       QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("monospace")});
    fixed.setStyleHint(QFont::TypeWriter);
    auto* heading = new QLabel(
        QStringLiteral("番  号  ＰＬＯＴ  上層樹高  立木本数  幹 材 積  断 面 積  平均直径  "
                       "平均樹高  林  齢"),
        this);
    heading->setObjectName(QStringLiteral("Label_ListCaption"));
    heading->setFont(fixed);
    layout->addWidget(heading);
    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setFont(fixed);
    list1_->setMinimumSize(760, 320);
    list1_->installEventFilter(this);
    layout->addWidget(list1_);
    labelSort_ = new QLabel(this);
    labelSort_->setObjectName(QStringLiteral("Label_Sort"));
    auto* row = new QHBoxLayout();
    row->addWidget(labelSort_, 1);
    addNew_ = new QPushButton(QStringLiteral("追加"), this);
    addNew_->setObjectName(QStringLiteral("Command_AddNew"));
    del_ = new QPushButton(QStringLiteral("削除"), this);
    del_->setObjectName(QStringLiteral("Command_Del"));
    for (QPushButton* b : {addNew_, del_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(100);
        row->addWidget(b);
    }
    layout->addLayout(row);

    connect(new_, &QAction::triggered, this, &Form_1DATAINPUT::mnuFileNEW_Click);
    connect(open, &QAction::triggered, this, &Form_1DATAINPUT::mnuFileOPEN_Click);
    connect(save_, &QAction::triggered, this, &Form_1DATAINPUT::mnuFileSAVE_Click);
    connect(saveAs_, &QAction::triggered, this, &Form_1DATAINPUT::mnuFileSAVEAS_Click);
    connect(close_, &QAction::triggered, this, &Form_1DATAINPUT::mnuFileCLOSE_Click);
    connect(exit, &QAction::triggered, this, &Form_1DATAINPUT::mnuFileEXIT_Click);
    connect(addNew_, &QPushButton::clicked, this, &Form_1DATAINPUT::Command_AddNew_Click);
    connect(del_, &QPushButton::clicked, this, &Form_1DATAINPUT::Command_Del_Click);
    connect(list1_, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });

    EnterNoData();
    ReopenLastFile();
}

void Form_1DATAINPUT::ReopenLastFile() {
    SurveyDataSet loaded;
    const std::string path = ReopenRecalledFile(*context_.services.settings, kRecentKey,
                                                [&loaded](const std::string& p, Messages& quiet) {
                                                    return ReadSurveyFile(p, loaded, quiet);
                                                });
    if (path.empty()) return;
    set() = std::move(loaded);
    ShowOpened(path);
}

void Form_1DATAINPUT::ShowOpened(const std::string& path) {
    set().filePath = path;
    set().modified = false;
    FillList(0);
    EnterState(2);
    RememberFile(*context_.services.settings, kRecentKey, path);
}

bool Form_1DATAINPUT::Save(const std::string& path) {
    if (!WriteSurveyFile(path, set(), context_.messages())) return false;
    RememberFile(*context_.services.settings, kRecentKey, path);
    return true;
}

void Form_1DATAINPUT::EnterNoData() {
    ClearSurveyDataSet(set());
    editorState_ = 0;
    list1_->clear();
    labelSort_->clear();
    ApplyControls();
}

void Form_1DATAINPUT::EnterState(int state) {
    editorState_ = state;
    ApplyControls();
}

void Form_1DATAINPUT::ApplyControls() {
    const int count = set().count;
    const bool data = editorState_ != 0;
    new_->setEnabled(true);
    close_->setEnabled(data);
    save_->setEnabled(editorState_ == 2 && count > 0);
    saveAs_->setEnabled(data && count > 0);
    addNew_->setEnabled(data && count < kMaxSurveyRecords);
    del_->setEnabled(data && count > 0);
    sortMenu_->setEnabled(data && count > 1);
    list1_->setEnabled(data);
    list1_->setBackgroundRole(data ? QPalette::Base : QPalette::Button);
    QPalette palette = list1_->palette();
    palette.setColor(QPalette::Base, data ? Qt::white : palette.color(QPalette::Button));
    list1_->setPalette(palette);
    if (editorState_ == 0) {
        setWindowTitle(kCaption);
        labelDesc_->setText(
            QStringLiteral("データを新規作成、または既存のファイルのデータを編集します。"));
        return;
    }
    setWindowTitle(
        (editorState_ == 1 ? QStringLiteral("新規") : QString::fromStdString(set().filePath)) +
        QStringLiteral(" －") + kCaption);
    labelDesc_->setText(QStringLiteral("データ数：") + QString::fromStdString(Whole(count, 5)));
}

void Form_1DATAINPUT::FillList(int selectRow) {
    list1_->clear();
    for (int i = 0; i < set().count; ++i) list1_->addItem(ListLine(set().records[i]));
    if (selectRow >= 0 && selectRow < list1_->count()) list1_->setCurrentRow(selectRow);
}

bool Form_1DATAINPUT::ConfirmDiscard() {
    const bool unsaved =
        (editorState_ == 1 && set().count > 0) || (editorState_ == 2 && set().modified);
    if (unsaved) {
        const std::string name =
            editorState_ == 2 ? FileNamePart(set().filePath) : std::string("新規データ");
        const MessageAnswer answer = context_.messages().Show(
            name + "は更新されています。保存しますか？", kCaption.toStdString(),
            MessageIcon::Warning, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::Yes) {
            std::string path = set().filePath;
            if (path.empty()) {
                path = AskSurveyFile(context_, this, SurveyDialogMode::SaveAs).toStdString();
                if (path.empty()) return false;
            }
            // Data that could not be saved are not dropped.
            if (!Save(path)) return false;
        }
    }
    EnterNoData();
    return true;
}

void Form_1DATAINPUT::mnuFileNEW_Click() {
    if (editorState_ != 0 && !ConfirmDiscard()) return;
    EnterState(1);
}

void Form_1DATAINPUT::mnuFileOPEN_Click() {
    if (editorState_ != 0 && !ConfirmDiscard()) return;
    const QString path = AskSurveyFile(context_, this, SurveyDialogMode::Open);
    if (path.isEmpty()) return;
    if (!ReadSurveyFile(path.toStdString(), set(), context_.messages())) return;
    ShowOpened(path.toStdString());
}

void Form_1DATAINPUT::mnuFileSAVE_Click() {
    if (editorState_ != 2 || set().count <= 0) return;
    Save(set().filePath);
}

void Form_1DATAINPUT::mnuFileSAVEAS_Click() {
    if (editorState_ == 0 || set().count <= 0) return;
    const QString path = AskSurveyFile(context_, this, SurveyDialogMode::SaveAs,
                                       QString::fromStdString(set().filePath));
    if (path.isEmpty()) return;
    set().filePath = path.toStdString();
    Save(set().filePath);
    EnterState(2);
}

void Form_1DATAINPUT::mnuFileCLOSE_Click() { ConfirmDiscard(); }

void Form_1DATAINPUT::mnuFileEXIT_Click() {
    if (!ConfirmDiscard()) return;
    QDialog::reject();
}

void Form_1DATAINPUT::reject() {
    if (!ConfirmDiscard()) return;
    QDialog::reject();
}

void Form_1DATAINPUT::Command_AddNew_Click() {
    if (editorState_ == 0 || set().count >= kMaxSurveyRecords) return;
    SurveyRecord record = NewSurveyRecord();
    record.number = set().count > 0 ? set().records.back().number + 1 : 1;
    set().records.push_back(record);
    set().count = static_cast<int>(set().records.size());
    list1_->addItem(ListLine(record));
    list1_->setCurrentRow(set().count - 1);
    list1_->setEnabled(true);
    EditRecord(set().count - 1);
    ApplyControls();
}

void Form_1DATAINPUT::Command_Del_Click() {
    const int row = list1_->currentRow();
    if (row < 0 || row >= set().count) return;
    DeleteRow(row);
    set().modified = true;
    ApplyControls();
}

void Form_1DATAINPUT::DeleteRow(int row) {
    set().records.erase(set().records.begin() + row);
    set().count = static_cast<int>(set().records.size());
    for (int i = row; i < set().count; ++i) set().records[i].number = i + 1;
    FillList(std::min(row, set().count - 1));
}

void Form_1DATAINPUT::List1_DblClick() {
    const int row = list1_->currentRow();
    if (set().count < 1 || row < 0 || row >= set().count) return;
    EditRecord(row);
    ApplyControls();
}

void Form_1DATAINPUT::EditRecord(int row) {
    SurveyRecord recordBuffer = set().records[row];
    Dialog_1INPUTDATAOPE dialog(context_, recordBuffer, this);
    context_.services.dialogs->Run(dialog);
    if (dialog.accepted()) {
        set().records[row] = recordBuffer;
        list1_->item(row)->setText(ListLine(recordBuffer));
        set().modified = true;
        return;
    }
    if (!set().records[row].confirmed) {
        // A record that was never accepted goes again, as if never added.
        const bool modified = set().modified;
        DeleteRow(row);
        set().modified = modified;
    }
}

void Form_1DATAINPUT::mnuSort_Click(int key) {
    if (editorState_ == 0 || set().count <= 1) return;
    std::vector<SurveyRecord>& records = set().records;
    bool moved = false;
    // Adjacent records change places only when the later key is strictly
    // smaller, so records with equal keys keep their order.
    for (int pass = 0; pass + 1 < set().count; ++pass) {
        for (int i = 0; i + 1 < set().count - pass; ++i) {
            if (SortKey(records[i + 1], key) < SortKey(records[i], key)) {
                std::swap(records[i], records[i + 1]);
                records[i].number = i + 1;
                records[i + 1].number = i + 2;
                moved = true;
            }
        }
    }
    if (moved) set().modified = true;
    FillList(0);
    for (const SortEntry& entry : kSortEntries) {
        if (entry.key == key) {
            labelSort_->setText(QString::fromUtf8(entry.caption) +
                                QStringLiteral(" で並べ替えました。"));
        }
    }
    ApplyControls();
}

bool Form_1DATAINPUT::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list1_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (set().count > 0) List1_DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace mk::app
