// What the program remembers between runs: the files of a wizard's or a
// base data window's last successful use (a file that has gone or no longer
// reads is left out without a word) and the folder where file dialogs open.

#include "app/services/recent_files.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <filesystem>

#include "app/basedata/form_1datachk.h"
#include "app/basedata/form_1datainput.h"
#include "app/basedata/form_1heightcurve.h"
#include "app/basedata/form_1parainput.h"
#include "app/main/form_main.h"
#include "app/yield/dialog_com3dsp.h"
#include "app_test_support.h"

namespace mk::app::test {
namespace {

TEST(RecentFiles, FileDialogsOpenInTheLastFolderOnlyInPlaceOfTheCurrentFolder) {
    const struct {
        const char* preset;
        const char* last;
        const char* start;
    } cases[] = {
        // The usual proposal, the current folder with a pattern.
        {"/work/cur/*.prm", "/data/sugi", "/data/sugi"},
        {"/work/cur/*.prm", "", "/work/cur"},
        // A folder of its own (the PAR file's folder) or a named file wins.
        {"/data/other/*.bmp", "/data/sugi", "/data/other"},
        {"/work/cur/sugi.prm", "/data/sugi", "/work/cur/sugi.prm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogStartPath(c.preset, "/work/cur", c.last).toStdString(), c.start)
            << c.preset;
    }
}

TEST(RecentFiles, RememberedFilesAndFoldersThatAreGoneAreLeftOut) {
    mk::test::TempDir dir;
    MemorySettingsStore settings;
    const std::string file = dir.File("a.prm");
    mk::test::WriteBytes(file, "x");
    RememberFile(settings, "YieldPrm", file);
    RememberFolderOf(settings, QString::fromStdString(file));
    EXPECT_EQ(RecalledFile(settings, "YieldPrm"), file);
    EXPECT_EQ(RecalledFolder(settings).toStdString(), dir.path());
    std::filesystem::remove(file);
    EXPECT_EQ(RecalledFile(settings, "YieldPrm"), "");
    RememberFile(settings, "YieldPar", dir.path());  // a folder is not a file
    EXPECT_EQ(RecalledFile(settings, "YieldPar"), "");
    std::filesystem::remove_all(dir.path());
    EXPECT_EQ(RecalledFolder(settings), QString());
}

// Runs the yield wizard; page 1 is handed to firstPage, the rest take
// their defaults.
void RunYieldWizard(AppFixture& f, Form_Main& window,
                    const std::function<void(QDialog&)>& firstPage) {
    QueueMethod4Run(f, firstPage);
    window.Command3_Click();
}

TEST(RecentFiles, TheYieldWizardStartsWithTheFilesOfItsLastSuccessfulUse) {
    AppFixture f;
    Form_Main window(*f.context);
    // A wizard that was cancelled remembers nothing.
    f.scripted.dialogs.Then([&f](QDialog& page) {
        f.scripted.files.Choose(QString::fromStdString(f.prm2));
        Click(page, "Command_PRMSet");
        Click(page, "CancelButton");
    });
    window.Command3_Click();
    EXPECT_EQ(RecalledFile(f.scripted.settings, "YieldPrm"), "");

    RunYieldWizard(f, window, [&f](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), "");
        f.scripted.files.Choose(QString::fromStdString(f.prm));
        Click(page, "Command_PRMSet");
        f.scripted.files.Choose(QString::fromStdString(f.par));
        Click(page, "Command_PARSet");
        Click(page, "Option2");
        Click(page, "OKButton");
    });
    Dialog_Com3DSP* result = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        result = window.findChild<Dialog_Com3DSP*>();
        return result != nullptr && result->activated();
    }));
    result->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The program starts again with the same settings store: the files are
    // already chosen, and loaded, so 次へ goes on at once.
    auto again = std::make_unique<AppContext>();
    again->services = f.scripted.services();
    Form_Main second(*again);
    std::filesystem::remove(f.par);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), f.prm);
        // The PAR file has gone since: it is simply left out.
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), "");
        Click(page, "CancelButton");
    });
    second.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_TRUE(again->ws.Diagram.DensityDiagramLoaded);
    for (const auto& m : f.scripted.messages.shown()) {
        EXPECT_NE(m.icon, MessageIcon::Error) << m.text;
    }
}

// The wizards too leave out a remembered file that no longer reads, without
// an error box, and keep the others.
TEST(RecentFiles, WizardsLeaveOutARememberedFileThatNoLongerReadsWithoutAWord) {
    const struct {
        const char* name;
        void (Form_Main::*start)();
        const char* prmKey;
        const char* parKey;
    } wizards[] = {{"YieldWizard", &Form_Main::Command3_Click, "YieldPrm", "YieldPar"},
                   {"VolumeTableSetup", &Form_Main::Command4_Click, "VolumePrm", "VolumePar"}};
    for (const auto& w : wizards) {
        SCOPED_TRACE(w.name);
        AppFixture f;
        RememberFile(f.scripted.settings, w.prmKey, f.prm);
        RememberFile(f.scripted.settings, w.parKey, f.par);
        mk::test::WriteBytes(f.prm, "not a diagram\r\n");
        Form_Main window(*f.context);
        f.scripted.dialogs.Then([&f](QDialog& page) {
            EXPECT_EQ(TextOf(page, "Text_PRM_Name"), "");
            EXPECT_EQ(TextOf(page, "Text_PAR_Name"), f.par);
            Click(page, "CancelButton");
        });
        (window.*w.start)();
        EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
        EXPECT_TRUE(f.scripted.messages.shown().empty()) << LastMessage(f.scripted);
    }
}

// A base data window as it opens: the file it starts with (the window
// names a loaded file first in its caption), or empty when it starts empty.
struct BaseDataWindow {
    const char* name;
    const char* key;
    std::string AppFixture::*file;
    std::function<std::unique_ptr<QDialog>(AppContext&)> open;
};

const BaseDataWindow kBaseDataWindows[] = {
    {"SurveyEditor", "EditorDat", &AppFixture::dat,
     [](AppContext& c) { return std::make_unique<Form_1DATAINPUT>(c); }},
    {"DataCheck", "CheckDat", &AppFixture::dat,
     [](AppContext& c) { return std::make_unique<Form_1DATACHK>(c); }},
    {"SiteCurve", "CurveDat", &AppFixture::dat,
     [](AppContext& c) { return std::make_unique<Form_1HEIGHTCURVE>(c, CurveMode::SiteCurve); }},
    {"HeightStemCurve", "CurveDat", &AppFixture::dat,
     [](AppContext& c) {
         return std::make_unique<Form_1HEIGHTCURVE>(c, CurveMode::HeightStemCurve);
     }},
    {"PrmEditor", "EditorPrm", &AppFixture::prm,
     [](AppContext& c) { return std::make_unique<Form_1PARAINPUT>(c); }},
};

std::string StartingFile(QDialog& window) {
    const QString title = window.windowTitle();
    const qsizetype end = title.indexOf(QStringLiteral(" －"));
    return end < 0 ? std::string() : title.left(end).toStdString();
}

TEST(RecentFiles, BaseDataWindowsStartWithTheirLastFileOrQuietlyWithoutIt) {
    for (const BaseDataWindow& w : kBaseDataWindows) {
        SCOPED_TRACE(w.name);
        AppFixture f;
        const std::string file = f.*w.file;
        // Nothing remembered yet.
        EXPECT_EQ(StartingFile(*w.open(*f.context)), "");

        RememberFile(f.scripted.settings, w.key, file);
        auto window = w.open(*f.context);
        EXPECT_EQ(StartingFile(*window), file);
        window.reset();

        // A file that no longer reads, and one that has gone, are left out
        // without a word, and stay remembered for when they are mended.
        const std::string bytes = mk::test::ReadBytes(file);
        mk::test::WriteBytes(file, "\x81\x40not a parameter file\r\n");
        EXPECT_EQ(StartingFile(*w.open(*f.context)), "");
        std::filesystem::remove(file);
        EXPECT_EQ(StartingFile(*w.open(*f.context)), "");
        EXPECT_TRUE(f.scripted.messages.shown().empty()) << LastMessage(f.scripted);
        mk::test::WriteBytes(file, bytes);
        EXPECT_EQ(StartingFile(*w.open(*f.context)), file);
    }
}

TEST(RecentFiles, BaseDataWindowsRememberTheFileOfTheirLastRead) {
    for (const BaseDataWindow& w : kBaseDataWindows) {
        SCOPED_TRACE(w.name);
        AppFixture f;
        const std::string file = f.*w.file;
        auto window = w.open(*f.context);
        // A file that does not read is not remembered.
        const std::string broken = f.folder.File("broken.dat");
        mk::test::WriteBytes(broken, "?");
        f.scripted.files.Choose(QString::fromStdString(broken));
        TriggerMenu(*window, "mnuFileOPEN");
        EXPECT_EQ(RecalledFile(f.scripted.settings, w.key), "");
        f.scripted.files.Choose(QString::fromStdString(file));
        TriggerMenu(*window, "mnuFileOPEN");
        EXPECT_EQ(StartingFile(*window), file);
        EXPECT_EQ(RecalledFile(f.scripted.settings, w.key), file);
    }
}

// Saved under a new name, the editors start with that file; an edit left
// unsaved changes neither the file nor what is remembered.
TEST(RecentFiles, EditorsRememberWhatTheySavedAndNeverWhatWasLeftUnsaved) {
    AppFixture f;
    RememberFile(f.scripted.settings, "EditorPrm", f.prm);
    const std::string copy = f.folder.File("copy.prm");
    const std::string original = mk::test::ReadBytes(f.prm);
    {
        Form_1PARAINPUT editor(*f.context);
        ASSERT_EQ(editor.EditState(), 2);
        f.scripted.files.Choose(QString::fromStdString(copy));
        TriggerMenu(editor, "mnuFileSAVEAS");
        EXPECT_EQ(RecalledFile(f.scripted.settings, "EditorPrm"), copy);
        TypeText(editor, "Text1", "9.5");
        editor.Text_LostFocus(1);
        ASSERT_TRUE(editor.EditModified());
        f.scripted.messages.Script(MessageAnswer::No);
        editor.reject();
    }
    EXPECT_EQ(mk::test::ReadBytes(copy), original);
    EXPECT_EQ(mk::test::ReadBytes(f.prm), original);
    Form_1PARAINPUT again(*f.context);
    EXPECT_EQ(again.EditPath().toStdString(), copy);
    EXPECT_FALSE(again.EditModified());

    RememberFile(f.scripted.settings, "EditorDat", f.dat);
    {
        Form_1DATAINPUT editor(*f.context);
        ASSERT_EQ(editor.editorState(), 2);
        const std::string saved = f.folder.File("saved.dat");
        f.scripted.files.Choose(QString::fromStdString(saved));
        TriggerMenu(editor, "mnuFileSAVEAS");
        EXPECT_EQ(RecalledFile(f.scripted.settings, "EditorDat"), saved);
    }
}

// The check window opened on its last file writes no report until the user
// steps to another pair; the report is then the one opening the file by
// hand gives.
TEST(RecentFiles, TheDataCheckStartedOnItsLastFileWritesItsReportAtTheFirstStep) {
    const auto reports = [](const std::string& folder) {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(folder)) {
            if (e.path().extension() == ".CHK") found.push_back(e.path().string());
        }
        return found;
    };
    std::string byHand;
    {
        AppFixture f;
        Form_1DATACHK w(*f.context);
        f.scripted.files.Choose(QString::fromStdString(f.dat));
        TriggerMenu(w, "mnuFileOPEN");
        Click(w, "Command2F");
        ASSERT_EQ(reports(f.folder.path()).size(), 1u);
        byHand = mk::test::ReadBytes(reports(f.folder.path())[0]);
    }
    AppFixture f;
    RememberFile(f.scripted.settings, "CheckDat", f.dat);
    {
        Form_1DATACHK w(*f.context);
        ASSERT_EQ(StartingFile(w), f.dat);
    }
    EXPECT_TRUE(reports(f.folder.path()).empty());
    Form_1DATACHK w(*f.context);
    Click(w, "Command2F");
    ASSERT_EQ(reports(f.folder.path()).size(), 1u);
    EXPECT_EQ(mk::test::ReadBytes(reports(f.folder.path())[0]), byHand);
}

}  // namespace
}  // namespace mk::app::test
