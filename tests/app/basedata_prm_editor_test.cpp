// The density diagram parameter editor: coefficients typed in and saved,
// files opened and changed, and the prompt before unsaved data go.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTest>

#include "app/basedata/form_1parainput.h"
#include "app/basedata/prm_equations.h"
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

// A PRM file whose coefficients carry more digits than the box's usual form
// shows, as a fitted diagram's coefficients do.
std::string PreciseCopy(AppFixture& f) {
    std::string bytes = mk::test::ReadBytes(f.prm);
    const size_t lineEnd = bytes.find("\r\n");
    const size_t typeEnd = bytes.find("\r\n", lineEnd + 2);
    const size_t firstEnd = bytes.find("\r\n", typeEnd + 2);
    bytes.replace(typeEnd + 2, firstEnd - typeEnd - 2, "0.0841234567891");
    const std::string path = f.folder.File("precise.prm");
    mk::test::WriteBytes(path, bytes);
    return path;
}

TEST(PrmEditor, BoxesOnlyPassedThroughLeaveTheFileUntouched) {
    AppFixture f;
    const std::string path = PreciseCopy(f);
    const std::string before = mk::test::ReadBytes(path);
    f.scripted.files.Choose(QString::fromStdString(path));
    Form_1PARAINPUT editor(*f.context);
    editor.show();
    TriggerMenu(editor, "mnuFileOPEN");
    ASSERT_EQ(editor.EditState(), 2);
    ASSERT_EQ(f.context->ws.Diagram.Prm[1], 0.0841234567891);
    // Tab through every box without typing.
    for (int i = 1; i <= 15; ++i) {
        const std::string name = "Text" + std::to_string(i);
        emit Find<QLineEdit>(editor, name.c_str())->editingFinished();
    }
    EXPECT_EQ(f.context->ws.Diagram.Prm[1], 0.0841234567891);
    EXPECT_FALSE(editor.EditModified());
    TriggerMenu(editor, "mnuFileEXIT");
    EXPECT_TRUE(f.scripted.messages.shown().empty()) << LastMessage(f.scripted);
    EXPECT_EQ(mk::test::ReadBytes(path), before);
}

TEST(PrmEditor, TypedValuesKeepEveryDigitAndFullWidthDigitsAreNumbers) {
    AppFixture f;
    Form_1PARAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    Type(editor, 1, "0.0841234567891");
    EXPECT_EQ(f.context->ws.Diagram.Prm[1], 0.0841234567891);
    EXPECT_EQ(Box(editor, 1), "0.0841234567891");
    Type(editor, 2, "０．５");
    EXPECT_EQ(f.context->ws.Diagram.Prm[2], 0.5);
    EXPECT_EQ(Box(editor, 2), "5.000000E-01");
    Type(editor, 3, "－１．２５Ｅ＋０２");
    EXPECT_EQ(f.context->ws.Diagram.Prm[3], -125.0);
    EXPECT_TRUE(f.scripted.messages.shown().empty());
    // Text that is still no number is refused with a word, the value kept.
    Type(editor, 3, "１２ｍ");
    EXPECT_EQ(f.context->ws.Diagram.Prm[3], -125.0);
    EXPECT_EQ(Box(editor, 3), "-1.250000E+02");
    EXPECT_EQ(LastMessage(f.scripted),
              "「１２ｍ」は数値として読めません。\r\n数字で入力してください。");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "管理図パラメータ入力処理");

    const std::string path = f.folder.File("typed.prm");
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(editor, "mnuFileSAVEAS");
    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(path, back, f.scripted.messages));
    EXPECT_EQ(back.Prm[1], 0.0841234567891);
}

// Where a box sits in its formula: the exponents above the line, each box
// named after its coefficient, root signs drawn.
TEST(PrmEditor, EachBoxStandsInItsPlaceInTheFormula) {
    AppFixture f;
    Form_1PARAINPUT editor(*f.context);
    editor.show();
    TriggerMenu(editor, "mnuFileNEW");
    TriggerMenu(editor, "mnuOptionDSP6");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    auto box = [&](int i) {
        const std::string name = "Text" + std::to_string(i);
        QWidget* w = Find<QWidget>(editor, name.c_str());
        return QRect(w->mapTo(&editor, QPoint(0, 0)), w->size());
    };
    // In reading order within each equation.
    for (auto [a, b] : {std::pair{1, 2},
                        {2, 3},
                        {3, 4},
                        {5, 6},
                        {6, 7},
                        {8, 9},
                        {9, 10},
                        {11, 12},
                        {13, 14},
                        {14, 15},
                        {16, 17}})
        EXPECT_LT(box(a).left(), box(b).left()) << a << " " << b;
    // b2, b4 and e are exponents: raised above the boxes on the line.
    for (auto [line, raised] : {std::pair{1, 2}, {3, 4}, {13, 14}, {13, 15}})
        EXPECT_LT(box(raised).center().y(), box(line).center().y()) << raised;
    const char* names[] = {nullptr, "b1", "b2", "b3", "b4", "f1", "f2", "f3", "d1",
                           "d2",    "d3", "a",  "b",  "k",  "e",  "c",  "a'", "b'"};
    for (int i = 1; i <= 17; ++i) {
        const std::string name = "Name" + std::to_string(i);
        EXPECT_EQ(TextOf(editor, name.c_str()), names[i]);
        auto* label = Find<QWidget>(editor, name.c_str());
        const QRect shown(label->mapTo(&editor, QPoint(0, 0)), label->size());
        EXPECT_LE(shown.bottom(), box(i).top()) << name;
        EXPECT_TRUE(shown.left() < box(i).right() && box(i).left() < shown.right()) << name;
    }
    EXPECT_EQ(editor.findChildren<RootSign*>().size(), 2);
}

TEST(PrmEditor, ANameTypedWithoutExtensionIsSavedAsAPrmFile) {
    AppFixture f;
    Form_1PARAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    Type(editor, 1, "2.5");
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("静岡テスト")));
    TriggerMenu(editor, "mnuFileSAVEAS");
    EXPECT_EQ(f.scripted.files.requests().back().defaultSuffix.toStdString(), "prm");
    EXPECT_TRUE(f.scripted.files.requests().back().promptCreate);
    EXPECT_EQ(editor.EditPath().toStdString(), f.folder.File("静岡テスト.prm"));
    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(f.folder.File("静岡テスト.prm"), back, f.scripted.messages));
    EXPECT_EQ(back.Prm[1], 2.5);
}

}  // namespace
}  // namespace mk::app::test
