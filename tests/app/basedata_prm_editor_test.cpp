// The density diagram parameter editor: coefficients typed in and saved,
// files opened and changed, and the prompt before unsaved data go.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QMenu>

#include "app/basedata/form_1parainput.h"
#include "app_test_support.h"
#include "core/model/prm_file.h"

namespace mk::app::test {
namespace {

void Type(QWidget& w, int box, const QString& text) {
    const std::string name = "Text" + std::to_string(box);
    TypeText(w, name.c_str(), text);
    if (auto* edit = Find<QLineEdit>(w, name.c_str())) emit edit->editingFinished();
}

std::string Box(QWidget& w, int box) {
    const std::string name = "Text" + std::to_string(box);
    return TextOf(w, name.c_str());
}

bool Checked(QWidget& w, const char* name) {
    auto* action = w.findChild<QAction*>(QString::fromLatin1(name));
    return action != nullptr && action->isChecked();
}

TEST(PrmEditor, StartsWithoutDataAndNewDataShowsZeros) {
    AppFixture f;
    Form_1PARAINPUT editor(*f.context);
    editor.show();
    EXPECT_EQ(editor.windowTitle().toStdString(), "管理図パラメータ入力処理");
    EXPECT_EQ(TextOf(editor, "Label_Desc"),
              "パラメータデータを新規作成、または既存のファイルのデータを編集します。");
    EXPECT_FALSE(editor.findChild<QAction*>("mnuFileSAVEAS")->isEnabled());
    EXPECT_FALSE(editor.findChild<QMenu*>("mnuOption")->isEnabled());
    EXPECT_EQ(Box(editor, 1), "");
    EXPECT_FALSE(Find<QWidget>(editor, "Text16")->isVisible());
    TriggerMenu(editor, "mnuFileNEW");
    EXPECT_EQ(editor.windowTitle().toStdString(), "新規 －管理図パラメータ入力処理");
    EXPECT_EQ(Box(editor, 1), "0.000000E+00");
    EXPECT_EQ(Box(editor, 15), "0.000000E+00");
    EXPECT_FALSE(Find<QLineEdit>(editor, "Text1")->isReadOnly());
    EXPECT_FALSE(editor.findChild<QAction*>("mnuFileSAVE")->isEnabled());
    EXPECT_TRUE(editor.findChild<QAction*>("mnuFileSAVEAS")->isEnabled());
}

TEST(PrmEditor, TypedCoefficientsAreSavedAndReadBack) {
    AppFixture f;
    Form_1PARAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    for (int i = 1; i <= 15; ++i) Type(editor, i, QString::number(i * 0.25 + 0.001));
    EXPECT_EQ(Box(editor, 2), "5.010000E-01");
    EXPECT_TRUE(editor.EditModified());
    const std::string path = f.folder.File("typed.prm");
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(editor, "mnuFileSAVEAS");
    EXPECT_EQ(f.scripted.files.requests().back().title.toStdString(),
              "林分密度管理図ﾌｧｲﾙ (*.prm)を名前を付けて保存");
    EXPECT_EQ(editor.EditState(), 2);
    EXPECT_FALSE(editor.EditModified());
    EXPECT_EQ(editor.windowTitle().toStdString(), path + " －管理図パラメータ入力処理");

    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(path, back, f.scripted.messages));
    EXPECT_EQ(back.Prm[0], 1);
    for (int i = 1; i <= 15; ++i) EXPECT_DOUBLE_EQ(back.Prm[i], i * 0.25 + 0.001) << i;
    EXPECT_EQ(back.Prm[16], 0);
}

TEST(PrmEditor, TextThatIsNotANumberOrTheSameValueChangesNothing) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.prm));
    Form_1PARAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    ASSERT_EQ(editor.EditState(), 2);
    const std::string shown = Box(editor, 3);
    Type(editor, 3, "abc");
    EXPECT_EQ(Box(editor, 3), shown);
    EXPECT_FALSE(editor.EditModified());
    // The same value in another notation is no change.
    const double value = f.context->ws.Diagram.Prm[3];
    Type(editor, 3, QString::number(value, 'g', 17));
    EXPECT_FALSE(editor.EditModified());
    Type(editor, 3, "0.5");
    EXPECT_EQ(Box(editor, 3), "5.000000E-01");
    EXPECT_TRUE(editor.EditModified());
    TriggerMenu(editor, "mnuFileSAVE");
    EXPECT_FALSE(editor.EditModified());
    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(f.prm, back, f.scripted.messages));
    EXPECT_EQ(back.Prm[3], 0.5);
}

TEST(PrmEditor, FullDensityVolumeOptionShowsAndClearsTheSixthEquation) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.prm2));
    Form_1PARAINPUT editor(*f.context);
    editor.show();
    TriggerMenu(editor, "mnuFileOPEN");
    EXPECT_TRUE(Checked(editor, "mnuOptionDSP6"));
    EXPECT_TRUE(Find<QWidget>(editor, "Text16")->isVisible());
    EXPECT_NE(Box(editor, 16), "0.000000E+00");
    TriggerMenu(editor, "mnuOptionDSP6");
    EXPECT_FALSE(Checked(editor, "mnuOptionDSP6"));
    EXPECT_FALSE(Find<QWidget>(editor, "Text16")->isVisible());
    // Switching the type is a change to be saved.
    EXPECT_TRUE(editor.EditModified());
    TriggerMenu(editor, "mnuFileSAVE");
    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(f.prm2, back, f.scripted.messages));
    EXPECT_EQ(back.Prm[0], 1);
    EXPECT_EQ(back.Prm[16], 0);
    EXPECT_EQ(back.Prm[17], 0);
    // Switched on again, the group shows what the save stored.
    TriggerMenu(editor, "mnuOptionDSP6");
    EXPECT_TRUE(Find<QWidget>(editor, "Text16")->isVisible());
    EXPECT_EQ(Box(editor, 16), "0.000000E+00");
}

TEST(PrmEditor, AnUnknownTypeIsEditedAsThePlainType) {
    AppFixture f;
    std::string bytes = mk::test::ReadBytes(f.prm);
    const size_t firstLineEnd = bytes.find("\r\n");
    const size_t typeEnd = bytes.find("\r\n", firstLineEnd + 2);
    bytes.replace(firstLineEnd + 2, typeEnd - firstLineEnd - 2, "3");
    const std::string path = f.folder.File("type3.prm");
    mk::test::WriteBytes(path, bytes);
    f.scripted.files.Choose(QString::fromStdString(path));
    Form_1PARAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    ASSERT_EQ(editor.EditState(), 2);
    EXPECT_EQ(f.context->ws.Diagram.Prm[0], 1);
    EXPECT_FALSE(Checked(editor, "mnuOptionDSP6"));
}

TEST(PrmEditor, SavePromptForNewDataKeepsTheDataWhenTheNameIsCancelled) {
    AppFixture f;
    Form_1PARAINPUT editor(*f.context);
    editor.show();
    TriggerMenu(editor, "mnuFileNEW");
    Type(editor, 1, "2.5");
    f.scripted.messages.Script(MessageAnswer::Yes);
    f.scripted.files.Cancel();
    editor.close();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(LastMessage(f.scripted), "新規データを保存しますか？");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "管理図パラメータ入力処理");
    EXPECT_EQ(f.scripted.messages.shown().back().buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(editor.EditState(), 1);
    EXPECT_EQ(Box(editor, 1), "2.500000E+00");
    // Cancel keeps everything; No drops the data.
    f.scripted.messages.Script(MessageAnswer::Cancel);
    TriggerMenu(editor, "mnuFileCLOSE");
    EXPECT_EQ(editor.EditState(), 1);
    f.scripted.messages.Script(MessageAnswer::No);
    TriggerMenu(editor, "mnuFileCLOSE");
    EXPECT_EQ(editor.EditState(), 0);
    EXPECT_EQ(Box(editor, 1), "");
}

TEST(PrmEditor, ChangedFileIsSavedUnderItsNameOnExit) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.prm));
    Form_1PARAINPUT editor(*f.context);
    editor.show();
    TriggerMenu(editor, "mnuFileOPEN");
    Type(editor, 12, "-1.25");
    f.scripted.messages.Script(MessageAnswer::Yes);
    TriggerMenu(editor, "mnuFileEXIT");
    EXPECT_EQ(LastMessage(f.scripted), "sugi_type1.prmを保存しますか？");
    EXPECT_FALSE(editor.isVisible());
    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(f.prm, back, f.scripted.messages));
    EXPECT_EQ(back.Prm[12], -1.25);
}

}  // namespace
}  // namespace mk::app::test
