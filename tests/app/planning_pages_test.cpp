// The planning wizard's pages as a user goes back and forth through them,
// the region's files on the parameter page, and a plan window whose table
// cannot be saved.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>
#include <filesystem>

#include "app/main/form_main.h"
#include "app/planning/dialog_com2dsp.h"
#include "app/planning/plan_files_page.h"
#include "planning_test_support.h"
#include "support/test_files.h"

namespace mk::app::test {
namespace {

namespace fs = std::filesystem;

int Bar(QWidget& page, const char* name) {
    auto* bar = Find<QScrollBar>(page, name);
    return bar == nullptr ? -1 : bar->value();
}

ScriptedDialogRunner::Script Next() {
    return [](QDialog& page) { Click(page, "OKButton"); };
}

TEST(PlanningPages, TargetAndPolicyChosenBeforeAreShownAgainAfterGoingBack) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    auto target = [](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_05");
        SetBar(page, "HScroll1", 70);
        SetBar(page, "HScroll3", 800);
        Click(page, "OKButton");
    };
    auto shownAgain = [](const char* then) {
        return [then](QDialog& page) {
            EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_05");
            EXPECT_EQ(TextOf(page, "Text1"), "70");
            EXPECT_EQ(TextOf(page, "Text3"), "800");
            Click(page, then);
        };
    };
    f.scripted.dialogs.Then(StatePage("Option1", "Option3"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    f.scripted.dialogs.Then(Next());  // the current stand as it opens
    f.scripted.dialogs.Then(target);
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_06");
        SetBar(page, "HScroll1", 75);
        SetBar(page, "HScroll3", 90);
        SetBar(page, "HScroll4", 15);
        SetBar(page, "HScroll5", 60);
        SetBar(page, "HScroll6", 8);
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then(shownAgain("Command_Back"));
    // Back on the current stand and forward again: the target stays.
    f.scripted.dialogs.Then(Next());
    f.scripted.dialogs.Then(shownAgain("OKButton"));
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(Bar(page, "HScroll1"), 75);
        EXPECT_EQ(TextOf(page, "Text1"), "0.75");
        EXPECT_EQ(Bar(page, "HScroll3"), 90);
        EXPECT_EQ(Bar(page, "HScroll4"), 15);
        EXPECT_EQ(Bar(page, "HScroll5"), 60);
        EXPECT_EQ(Bar(page, "HScroll6"), 8);
        Click(page, "CancelButton");
    });
    window.Command2_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
}

TEST(PlanningPages, EndAgeIsShownAgainAfterGoingBackToTheStand) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    f.scripted.dialogs.Then(Next());
    f.scripted.dialogs.Then([](QDialog& page) {
        SetBar(page, "HScroll7", 140);
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then(Next());
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text7"), "140");
        Click(page, "CancelButton");
    });
    window.Command2_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
}

// Planning page 3 reached with a region chosen, the page handed to check.
void OnFilesPage(AppFixture& f, Form_Main& window, int regionRow,
                 const std::function<void(QDialog&)>& check) {
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(regionRow));
    f.scripted.dialogs.Then([check](QDialog& page) {
        check(page);
        Click(page, "CancelButton");
    });
    window.Command2_Click();
}

TEST(PlanningPages, FileDialogsOfferOnlyTheRegionsFilesAndSayWhyAnotherIsRefused) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    OnFilesPage(f, window, kAomoriRow, [&](QDialog& page) {
        ChooseFile(f, page, "Command_PRMSet", f.prm);
        const FileDialogRequest& prm = f.scripted.files.requests().back();
        EXPECT_EQ(prm.filter.toStdString(), "林分密度管理図ﾌｧｲﾙ (青森*.prm)|青森*.prm");
        EXPECT_EQ(prm.presetName.toStdString(), f.folder.path() + "/青森*.prm");
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), "");
        EXPECT_EQ(LastMessage(f.scripted),
                  "sugi_type1.prm は計算対象地域のファイルではありません。\r\n"
                  "ファイル名が「青森」で始まるファイルを選んでください。");
        EXPECT_EQ(f.scripted.messages.shown().back().title, page.windowTitle().toStdString());
        ChooseFile(f, page, "Command_PARSet", files.par);
        EXPECT_EQ(f.scripted.files.requests().back().filter.toStdString(),
                  "上層樹高曲線式ﾌｧｲﾙ (青森*.par)|青森*.par");
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), files.par);
    });
}

TEST(PlanningPages, IbarakiIsListedRightAndTakesFilesOfEitherSpelling) {
    AppFixture f;
    Form_Main window(*f.context);
    const std::string newName = f.folder.File("茨城sugi_type1.prm");
    const std::string oldName = f.folder.File("茨木sugi.PAR");
    fs::copy_file(f.prm, newName);
    fs::copy_file(f.par, oldName);
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then([](QDialog& page) {
        auto* list = Find<QListWidget>(page, "List1");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->item(7)->text().toStdString(), "茨城県");
        EXPECT_TRUE(list->findItems(QStringLiteral("茨木県"), Qt::MatchExactly).isEmpty());
        RegionPage(7)(page);
    });
    f.scripted.dialogs.Then([&](QDialog& page) {
        ChooseFile(f, page, "Command_PRMSet", newName);
        EXPECT_EQ(f.scripted.files.requests().back().filter.toStdString(),
                  "林分密度管理図ﾌｧｲﾙ (茨城*.prm;茨木*.prm)|茨城*.prm;茨木*.prm");
        ChooseFile(f, page, "Command_PARSet", oldName);
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), newName);
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), oldName);
        Click(page, "Option1");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "CancelButton"); });
    window.Command2_Click();
    EXPECT_TRUE(f.scripted.messages.shown().empty()) << LastMessage(f.scripted);
    EXPECT_EQ(f.context->ws.Plan.RegionPrefix, "茨城");
    EXPECT_EQ(f.context->ws.Run.ParFileName, oldName);
}

TEST(PlanningPages, TypedPathsAreReadBeforeTheSiteClassCalculation) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    OnFilesPage(f, window, kAomoriRow, [&](QDialog& page) {
        TypeText(page, "Text_PRM_Name", QString::fromStdString(files.prm));
        TypeText(page, "Text_PAR_Name", QString::fromStdString(files.par));
        f.scripted.dialogs.Then([](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName().toStdString(), "Dialog_Com3_01Ext");
            dialog.close();
        });
        Click(page, "Command_CalcState");
        EXPECT_TRUE(f.scripted.messages.shown().empty()) << LastMessage(f.scripted);
        EXPECT_TRUE(f.context->ws.Diagram.DensityDiagramLoaded);
        EXPECT_TRUE(f.context->ws.HeightCurve.HeightCurveLoaded);
        EXPECT_TRUE(f.scripted.dialogs.shownWindows().contains("Dialog_Com3_01Ext"));
    });
}

TEST(PlanningPages, TheSameFileChosenAgainIsReadAgain) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    OnFilesPage(f, window, kAomoriRow, [&](QDialog& page) {
        ChooseFile(f, page, "Command_PRMSet", files.prm);
        const double b1 = f.context->ws.Diagram.Prm[1];
        // The file changes on disk, and is picked again.
        std::string bytes = mk::test::ReadBytes(files.prm);
        const size_t lineEnd = bytes.find("\r\n");
        const size_t typeEnd = bytes.find("\r\n", lineEnd + 2);
        const size_t firstEnd = bytes.find("\r\n", typeEnd + 2);
        bytes.replace(typeEnd + 2, firstEnd - typeEnd - 2, "0.0625");
        mk::test::WriteBytes(files.prm, bytes);
        ChooseFile(f, page, "Command_PRMSet", files.prm);
        EXPECT_NE(b1, 0.0625);
        EXPECT_EQ(f.context->ws.Diagram.Prm[1], 0.0625);
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), files.prm);
    });
}

TEST(PlanningPages, APlanTableThatCannotBeSavedIsNotComputed) {
    AppFixture f;
    const std::string folder = f.folder.File("region");
    fs::create_directory(folder);
    RegionFiles copies(f);
    RegionFiles files = copies;
    files.prm = folder + "/青森sugi_type1.prm";
    files.par = folder + "/青森sugi.PAR";
    fs::copy_file(copies.prm, files.prm);
    fs::copy_file(copies.par, files.par);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    f.scripted.dialogs.Then(Next());
    f.scripted.dialogs.Then(Next());
    f.scripted.dialogs.Then([&folder](QDialog& page) {
        // The folder of the survey data goes away before the plans start.
        fs::remove_all(folder);
        Click(page, "OKButton");
    });
    window.Command2_Click();
    ASSERT_TRUE(WaitFor([&] {
        return f.context->flags.PlanWindowOpen == 0 &&
               window.findChild<Dialog_Com2DSP*>() == nullptr;
    }));
    EXPECT_EQ(LastMessage(f.scripted), "ファイルに書き込めません。\r\n" + folder + "/YIELD_AA.160");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "ファイル書き込みエラー");
    // No plan ran: nothing of a run was reported after the refusal.
    EXPECT_EQ(f.context->ws.Flags.PlanWindowOpen, 0);
}

// Takes the folder away at the first step of the plans, after the window
// found that it could save there.
class FolderRemovingPump final : public EventPump {
public:
    FolderRemovingPump(std::string folder, std::function<bool()> planning)
        : folder_(std::move(folder)), planning_(std::move(planning)) {}
    void Pump() override {
        if (folder_.empty() || !planning_()) return;
        fs::remove_all(folder_);
        folder_.clear();
    }

private:
    std::string folder_;
    std::function<bool()> planning_;
};

TEST(PlanningPages, PlansWhoseTableCouldNotBeSavedSaySoPlainly) {
    AppFixture f;
    const std::string folder = f.folder.File("region");
    fs::create_directory(folder);
    RegionFiles copies(f);
    RegionFiles files = copies;
    files.prm = folder + "/青森sugi_type1.prm";
    files.par = folder + "/青森sugi.PAR";
    fs::copy_file(copies.prm, files.prm);
    fs::copy_file(copies.par, files.par);
    Form_Main window(*f.context);
    FolderRemovingPump pump(folder,
                            [&window] { return window.findChild<Dialog_Com2DSP*>() != nullptr; });
    f.context->services.pump = &pump;
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    f.scripted.dialogs.Then(Next());
    f.scripted.dialogs.Then(Next());
    f.scripted.dialogs.Then(Next());
    window.Command2_Click();
    Dialog_Com2DSP* plans = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        plans = window.findChild<Dialog_Com2DSP*>();
        return plans != nullptr && plans->activated();
    }));
    const auto& shown = f.scripted.messages.shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2].title, "ファイル書き込みエラー");
    EXPECT_EQ(shown.back().text,
              "計画表のファイルは保存されていません。\r\n表示している計画はファイルに残りません。");
    EXPECT_EQ(TextOf(*plans, "Label1"), "ファイル：sugi_survey.dat（計画表は保存されていません）");
    plans->close();
}

}  // namespace
}  // namespace mk::app::test
