// The survey data editor and its entry dialog, driven as a user would: the
// records typed in are saved as a DAT file and read back.

#include <gtest/gtest.h>

#include <QDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMetaObject>
#include <filesystem>

#include "app/basedata/form_1datainput.h"
#include "app_test_support.h"
#include "core/basedata/survey_data.h"

namespace mk::app::test {
namespace {

using mk::test::ReadBytes;
using mk::test::Sjis;

// Leaves a box as the user does when moving on.
void Leave(QDialog& d, const char* name) {
    if (auto* box = Find<QLineEdit>(d, name)) emit box->editingFinished();
}

// Fills the entry dialog: plot, height, stems, volume, basal area,
// diameter, mean height, age.
std::function<void(QDialog&)> Enter(std::array<QString, 8> values, bool ok = true) {
    return [values, ok](QDialog& d) {
        for (int i = 0; i < 8; ++i) {
            const std::string name = "Text" + std::to_string(i + 2);
            TypeText(d, name.c_str(), values[i]);
            Leave(d, name.c_str());
        }
        Click(d, ok ? "OKButton" : "CancelButton");
    };
}

QStringList ListLines(QWidget& w) {
    QStringList lines;
    auto* list = Find<QListWidget>(w, "List1");
    for (int i = 0; list && i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

TEST(SurveyEditor, StartsWithoutDataAndNewDataEnablesAdding) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    EXPECT_EQ(editor.windowTitle().toStdString(), "調査値データ入力処理");
    EXPECT_EQ(TextOf(editor, "Label_Desc"),
              "データを新規作成、または既存のファイルのデータを編集します。");
    EXPECT_FALSE(IsEnabled(editor, "Command_AddNew"));
    EXPECT_FALSE(IsEnabled(editor, "List1"));
    TriggerMenu(editor, "mnuFileNEW");
    EXPECT_EQ(editor.windowTitle().toStdString(), "新規 －調査値データ入力処理");
    EXPECT_EQ(TextOf(editor, "Label_Desc"), "データ数：    0");
    EXPECT_TRUE(IsEnabled(editor, "Command_AddNew"));
    EXPECT_FALSE(IsEnabled(editor, "Command_Del"));
    EXPECT_FALSE(editor.findChild<QAction*>("mnuFileSAVEAS")->isEnabled());
}

TEST(SurveyEditor, RecordsTypedInAreSavedAndReadBack) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "データ入力");
        EXPECT_EQ(TextOf(d, "Label_Desc"), "データを入力してください。");
        EXPECT_EQ(TextOf(d, "Text1"), "1");
        EXPECT_EQ(TextOf(d, "Text2"), "0");
        EXPECT_EQ(TextOf(d, "Text3"), "0.0");
        Enter({"101", "13.14", "2624", "244.35", "39.4", "14.6", "11.4", "24"})(d);
    });
    Click(editor, "Command_AddNew");
    f.scripted.dialogs.Then(Enter({"102", "23.1", "1188", "540.3", "52.8", "24", "21.2", "45"}));
    Click(editor, "Command_AddNew");
    EXPECT_EQ(TextOf(editor, "Label_Desc"), "データ数：    2");
    const QStringList lines = ListLines(editor);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(
        lines[0].toStdString(),
        "     1       101      13.1      2624     244.4      39.4      14.6      11.4      24");
    EXPECT_EQ(lines[0].size(), 84);

    const std::string path = f.folder.File("typed.dat");
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(editor, "mnuFileSAVEAS");
    ASSERT_EQ(f.scripted.files.requests().size(), 1u);
    EXPECT_EQ(f.scripted.files.requests()[0].title.toStdString(),
              "基礎資料ﾌｧｲﾙ(DAT)を名前を付けて保存");
    // New data are offered the first free name of the current folder.
    EXPECT_EQ(f.scripted.files.requests()[0].presetName.toStdString(),
              f.folder.File("YIELD_AA.dat"));
    EXPECT_EQ(f.scripted.files.requests()[0].filter.toStdString(), "基礎資料ﾌｧｲﾙ (*.dat)|*.dat");
    EXPECT_EQ(editor.windowTitle().toStdString(), path + " －調査値データ入力処理");
    EXPECT_FALSE(f.context->SurveyData.modified);

    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 2), "  ");
    EXPECT_NE(bytes.find(Sjis("    1    101      13.1      2624    244.4     39.4      14.6"
                              "     11.4    24\r\n")),
              std::string::npos);
    SurveyDataSet back;
    ASSERT_TRUE(ReadSurveyFile(path, back, f.scripted.messages));
    ASSERT_EQ(back.count, 2);
    EXPECT_EQ(back.records[0].plot, 101);
    EXPECT_DOUBLE_EQ(back.records[0].dominantHeight, 13.1);
    EXPECT_DOUBLE_EQ(back.records[0].stemVolume, 244.4);
    EXPECT_EQ(back.records[1].standAge, 45);
    EXPECT_DOUBLE_EQ(back.records[1].meanDiameter, 24.0);
}

TEST(SurveyEditor, AddingCancelledLeavesListAndChangeFlagAsBefore) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    ASSERT_EQ(editor.editorState(), 2);
    const QStringList before = ListLines(editor);
    ASSERT_EQ(before.size(), 60);
    f.scripted.dialogs.Then([](QDialog& d) {
        EXPECT_EQ(TextOf(d, "Text1"), "61");
        Click(d, "CancelButton");
    });
    Click(editor, "Command_AddNew");
    EXPECT_EQ(ListLines(editor), before);
    EXPECT_EQ(f.context->SurveyData.count, 60);
    EXPECT_FALSE(f.context->SurveyData.modified);
    EXPECT_EQ(TextOf(editor, "Label_Desc"), "データ数：   60");
}

TEST(SurveyEditor, EntryDialogRefusesEmptyBoxesAndOutOfRangeValues) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then([&f](QDialog& d) {
        // Out of range and not a number: the field keeps its value.
        TypeText(d, "Text3", "20000.5");
        Leave(d, "Text3");
        EXPECT_EQ(TextOf(d, "Text3"), "0.0");
        TypeText(d, "Text3", "abc");
        Leave(d, "Text3");
        EXPECT_EQ(TextOf(d, "Text3"), "0.0");
        TypeText(d, "Text4", "1500.5");
        Leave(d, "Text4");
        EXPECT_EQ(TextOf(d, "Text4"), "1500");
        // Every value zero is refused.
        TypeText(d, "Text4", "0");
        Click(d, "OKButton");
        EXPECT_EQ(LastMessage(f.scripted), "有効な数値が入力されていません。");
        EXPECT_EQ(f.scripted.messages.shown().back().title, "データ入力");
        // Empty boxes are listed in order, each on its own line.
        TypeText(d, "Text2", "");
        TypeText(d, "Text9", "");
        Click(d, "OKButton");
        EXPECT_EQ(LastMessage(f.scripted),
                  "ＰＬＯＴが指定されていません。\r\n林齢が指定されていません。\r\n");
        EXPECT_TRUE(d.isVisible());
        Click(d, "CancelButton");
    });
    Click(editor, "Command_AddNew");
    EXPECT_EQ(f.context->SurveyData.count, 0);
}

TEST(SurveyEditor, EditingAnAcceptedRecordShowsItsValues) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then(Enter({"7", "10.2", "3000", "100", "20", "10", "8", "15"}));
    Click(editor, "Command_AddNew");
    f.scripted.dialogs.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "データ修正");
        EXPECT_EQ(TextOf(d, "Label_Desc"), "データを修正してください。");
        EXPECT_EQ(TextOf(d, "Text2"), "7");
        EXPECT_EQ(TextOf(d, "Text3"), "10.2");
        EXPECT_EQ(TextOf(d, "Text9"), "15");
        TypeText(d, "Text9", "16");
        Click(d, "OKButton");
    });
    editor.List1_DblClick();
    EXPECT_EQ(f.context->SurveyData.records[0].standAge, 16);
    // Cancelling the correction of a confirmed record keeps it.
    f.scripted.dialogs.Then([](QDialog& d) { Click(d, "CancelButton"); });
    editor.List1_DblClick();
    EXPECT_EQ(f.context->SurveyData.count, 1);
}

TEST(SurveyEditor, DeletingRenumbersAndSelectsTheLineAtTheSamePlace) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    auto* list = Find<QListWidget>(editor, "List1");
    list->setCurrentRow(59);
    Click(editor, "Command_Del");
    EXPECT_EQ(list->currentRow(), 58);
    list->setCurrentRow(0);
    const int secondPlot = f.context->SurveyData.records[1].plot;
    Click(editor, "Command_Del");
    EXPECT_EQ(f.context->SurveyData.count, 58);
    EXPECT_EQ(f.context->SurveyData.records[0].plot, secondPlot);
    EXPECT_EQ(f.context->SurveyData.records[0].number, 1);
    EXPECT_EQ(f.context->SurveyData.records[57].number, 58);
    EXPECT_TRUE(f.context->SurveyData.modified);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(TextOf(editor, "Label_Desc"), "データ数：   58");
}

TEST(SurveyEditor, DeletingTheOnlyRecordDisablesDeleteAndSaveAs) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then(Enter({"1", "10", "3000", "100", "20", "10", "8", "15"}));
    Click(editor, "Command_AddNew");
    EXPECT_TRUE(IsEnabled(editor, "Command_Del"));
    Click(editor, "Command_Del");
    EXPECT_FALSE(IsEnabled(editor, "Command_Del"));
    EXPECT_FALSE(editor.findChild<QAction*>("mnuFileSAVEAS")->isEnabled());
}

TEST(SurveyEditor, SortingIsStableAndASecondSortChangesNothing) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    const std::vector<SurveyRecord> before = f.context->SurveyData.records;
    TriggerMenu(editor, "mnuSort1");
    EXPECT_EQ(TextOf(editor, "Label_Sort"), "上層樹高 で並べ替えました。");
    const std::vector<SurveyRecord>& sorted = f.context->SurveyData.records;
    for (size_t i = 0; i + 1 < sorted.size(); ++i) {
        ASSERT_LE(sorted[i].dominantHeight, sorted[i + 1].dominantHeight);
        EXPECT_EQ(sorted[i].number, static_cast<int>(i) + 1);
        // Equal heights keep their file order (their plots were in order).
        if (sorted[i].dominantHeight == sorted[i + 1].dominantHeight) {
            auto pos = [&](const SurveyRecord& r) {
                for (size_t k = 0; k < before.size(); ++k)
                    if (before[k].plot == r.plot) return k;
                return before.size();
            };
            EXPECT_LT(pos(sorted[i]), pos(sorted[i + 1]));
        }
    }
    EXPECT_TRUE(f.context->SurveyData.modified);
    f.context->SurveyData.modified = false;
    const std::vector<SurveyRecord> once = sorted;
    TriggerMenu(editor, "mnuSort1");
    EXPECT_EQ(f.context->SurveyData.records, once);
    EXPECT_FALSE(f.context->SurveyData.modified);
    TriggerMenu(editor, "mnuSort7");
    EXPECT_EQ(TextOf(editor, "Label_Sort"), " 林 齢 で並べ替えました。");
}

TEST(SurveyEditor, ClosingUnsavedNewDataWithoutAFileNameKeepsTheWindowOpen) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    editor.show();
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then(Enter({"1", "10", "3000", "100", "20", "10", "8", "15"}));
    Click(editor, "Command_AddNew");
    f.scripted.messages.Script(MessageAnswer::Yes);
    f.scripted.files.Cancel();
    editor.close();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(f.scripted.messages.shown().back().text,
              "新規データは更新されています。保存しますか？");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "調査値データ入力処理");
    EXPECT_EQ(f.context->SurveyData.count, 1);
    // No: the data go and the window closes.
    f.scripted.messages.Script(MessageAnswer::No);
    editor.close();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(f.context->SurveyData.count, 0);
}

TEST(SurveyEditor, ChangedFileIsOfferedForSavingByItsName) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    Click(editor, "Command_Del");
    f.scripted.messages.Script(MessageAnswer::Yes);
    TriggerMenu(editor, "mnuFileCLOSE");
    EXPECT_EQ(LastMessage(f.scripted), "sugi_survey.datは更新されています。保存しますか？");
    EXPECT_EQ(editor.editorState(), 0);
    SurveyDataSet back;
    ASSERT_TRUE(ReadSurveyFile(f.dat, back, f.scripted.messages));
    EXPECT_EQ(back.count, 59);
}

TEST(SurveyEditor, AddingIsRefusedAtFiveHundredRecords) {
    AppFixture f;
    SurveyDataSet big;
    for (int i = 1; i <= 499; ++i) {
        SurveyRecord r;
        r.number = i;
        r.plot = i;
        r.dominantHeight = 10;
        r.stemsPerHa = 1000;
        r.standAge = 20;
        r.confirmed = true;
        big.records.push_back(r);
    }
    big.count = 499;
    const std::string path = f.folder.File("big.dat");
    ASSERT_TRUE(WriteSurveyFile(path, big, f.scripted.messages));
    f.scripted.files.Choose(QString::fromStdString(path));
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    EXPECT_TRUE(IsEnabled(editor, "Command_AddNew"));
    f.scripted.dialogs.Then(Enter({"500", "10", "3000", "100", "20", "10", "8", "15"}));
    Click(editor, "Command_AddNew");
    EXPECT_EQ(f.context->SurveyData.count, 500);
    EXPECT_FALSE(IsEnabled(editor, "Command_AddNew"));
}

}  // namespace
}  // namespace mk::app::test

namespace mk::app::test {
namespace {

TEST(SurveyEditor, DataThatCannotBeSavedAreNotDropped) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    editor.show();
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then(Enter({"1", "10", "3000", "100", "20", "10", "8", "15"}));
    Click(editor, "Command_AddNew");
    // The chosen folder does not exist: the write fails and is reported.
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("missing/new.dat")));
    TriggerMenu(editor, "mnuFileSAVEAS");
    ASSERT_FALSE(f.scripted.messages.shown().empty());
    EXPECT_EQ(editor.editorState(), 2);
    EXPECT_TRUE(f.context->SurveyData.modified);
    const size_t shown = f.scripted.messages.shown().size();
    f.scripted.messages.Script(MessageAnswer::Yes);
    editor.close();
    EXPECT_GT(f.scripted.messages.shown().size(), shown + 1);  // the prompt and the failure
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(f.context->SurveyData.count, 1);
    f.scripted.messages.Script(MessageAnswer::No);
    editor.close();
}

TEST(SurveyEditor, EnterInTheListEditsTheSelectedRecord) {
    AppFixture f;
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileOPEN");
    auto* list = Find<QListWidget>(editor, "List1");
    list->setCurrentRow(2);
    std::string plot;
    f.scripted.dialogs.Then([&plot](QDialog& d) {
        plot = TextOf(d, "Text2");
        Click(d, "CancelButton");
    });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &press);
    EXPECT_EQ(plot, "103");
    EXPECT_EQ(f.context->SurveyData.count, 60);
}

TEST(SurveyEditor, FullWidthDigitsAreNumbersAndOtherTextIsRefusedWithAWord) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then([&f](QDialog& d) {
        TypeText(d, "Text3", "３０ｍ");
        Leave(d, "Text3");
        EXPECT_EQ(TextOf(d, "Text3"), "0.0");
        EXPECT_EQ(LastMessage(f.scripted),
                  "「３０ｍ」は数値として読めません。\r\n数字で入力してください。");
        EXPECT_EQ(f.scripted.messages.shown().back().title, "データ入力");
        Enter({"１０１", "３０．５", "２６２４", "２４４．４", "３９．４", "１４．６", "１１．４",
               "２４"})(d);
    });
    Click(editor, "Command_AddNew");
    ASSERT_EQ(f.context->SurveyData.count, 1);
    const SurveyRecord& r = f.context->SurveyData.records[0];
    EXPECT_EQ(r.plot, 101);
    EXPECT_EQ(r.dominantHeight, 30.5);
    EXPECT_EQ(r.stemsPerHa, 2624);
    EXPECT_EQ(r.standAge, 24);
    EXPECT_EQ(f.scripted.messages.shown().size(), 1u);
}

TEST(SurveyEditor, ANameTypedWithoutExtensionIsSavedAsADatFile) {
    AppFixture f;
    Form_1DATAINPUT editor(*f.context);
    TriggerMenu(editor, "mnuFileNEW");
    f.scripted.dialogs.Then(Enter({"1", "10", "3000", "100", "20", "10", "8", "15"}));
    Click(editor, "Command_AddNew");
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("杉 試験地")));
    TriggerMenu(editor, "mnuFileSAVEAS");
    const FileDialogRequest& request = f.scripted.files.requests().back();
    EXPECT_EQ(request.defaultSuffix.toStdString(), "dat");
    EXPECT_TRUE(request.promptCreate);
    const std::string saved = f.folder.File("杉 試験地.dat");
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_FALSE(std::filesystem::exists(f.folder.File("杉 試験地")));
    EXPECT_EQ(editor.windowTitle().toStdString(), saved + " －調査値データ入力処理");
}

}  // namespace
}  // namespace mk::app::test
