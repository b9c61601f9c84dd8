// What the program remembers between runs: the files of a wizard's last
// successful use (a file that has gone is left out) and the folder where
// file dialogs open.

#include "app/services/recent_files.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <filesystem>

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
    f.scripted.dialogs.Then([&](QDialog& page) { firstPage(page); });
    f.scripted.dialogs.Then([](QDialog& page) {
        Click(page, "Option4");
        Click(page, "Option7");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
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

}  // namespace
}  // namespace mk::app::test
