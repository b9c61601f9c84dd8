// The result window after a run: paging through the six images, saving the
// visible one, the all-image view with its temporary files, and the stand
// volume table with its three site classes.

#include <gtest/gtest.h>

#include <QDialog>
#include <QRadioButton>
#include <filesystem>

#include "app/main/form_main.h"
#include "app/yield/dialog_com3dsp.h"
#include "app/yield/mdiform_allview.h"
#include "app_test_support.h"
#include "render/bmp_file.h"

namespace mk::app::test {
namespace {

namespace fs = std::filesystem;

// Runs the wizard with method 4 from a 3000-stem planting to age 60.
Dialog_Com3DSP* MakeYieldResult(AppFixture& f, Form_Main& window) {
    f.scripted.dialogs.Then([&f](QDialog& page) {
        f.scripted.files.Choose(QString::fromStdString(f.prm));
        Click(page, "Command_PRMSet");
        f.scripted.files.Choose(QString::fromStdString(f.par));
        Click(page, "Command_PARSet");
        Click(page, "Option2");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Click(page, "Option4");
        Click(page, "Option7");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        SetBar(page, "HScroll1", 3000);
        SetBar(page, "HScroll4", 60);
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
    window.Command3_Click();
    Dialog_Com3DSP* result = nullptr;
    WaitFor([&] {
        result = window.findChild<Dialog_Com3DSP*>();
        return result != nullptr && result->activated();
    });
    return result;
}

Dialog_Com3DSP* MakeVolumeResult(AppFixture& f, Form_Main& window) {
    f.scripted.dialogs.Then([&f](QDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "林分材積表の作成");
        for (auto [button, path] : {std::pair{"Command_PRMSet", f.prm}, std::pair{"Command_PARSet", f.par},
                                    std::pair{"Command_HNPSet", f.hnp}}) {
            f.scripted.files.Choose(QString::fromStdString(path));
            Click(d, button);
        }
        Click(d, "OKButton");
    });
    window.Command4_Click();
    Dialog_Com3DSP* result = nullptr;
    WaitFor([&] {
        result = window.findChild<Dialog_Com3DSP*>();
        return result != nullptr && result->activated();
    });
    return result;
}

bool Visible(QWidget& w, const char* name) {
    auto* c = Find<QWidget>(w, name);
    return c != nullptr && c->isVisible();
}

TEST(ResultWindow, PagesThroughTheSixImages) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* result = MakeYieldResult(f, window);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->windowTitle().toStdString(), "システム収穫表：杜の暦『構想』－収穫予測表の作成");
    EXPECT_FALSE(IsEnabled(*result, "Command_Back"));
    EXPECT_TRUE(IsEnabled(*result, "Command_Next"));
    EXPECT_TRUE(Visible(*result, "Picture1"));
    EXPECT_FALSE(Visible(*result, "Picture2"));
    EXPECT_FALSE(Visible(*result, "Frame1"));
    for (int page = 2; page <= 6; ++page) {
        Click(*result, "Command_Next");
        EXPECT_EQ(TextOf(*result, "Label5"), "画像 " + std::to_string(page) + "/6");
    }
    EXPECT_FALSE(IsEnabled(*result, "Command_Next"));
    EXPECT_TRUE(Visible(*result, "Picture2"));
    EXPECT_FALSE(Visible(*result, "Picture1"));
    for (int page = 5; page >= 1; --page) Click(*result, "Command_Back");
    EXPECT_EQ(TextOf(*result, "Label5"), "画像 1/6");
    EXPECT_FALSE(IsEnabled(*result, "Command_Back"));
    EXPECT_TRUE(Visible(*result, "Picture1"));
}

TEST(ResultWindow, SavesTheVisibleImageOnlyUnderANewName) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* result = MakeYieldResult(f, window);
    ASSERT_NE(result, nullptr);
    // Cancelled, or the proposed pattern kept: nothing is written.
    f.scripted.files.Cancel();
    Click(*result, "Command_PictSave");
    ASSERT_EQ(f.scripted.files.requests().size(), 3u);
    const FileDialogRequest& request = f.scripted.files.requests().back();
    EXPECT_EQ(request.title.toStdString(), "画像を保存します");
    EXPECT_EQ(request.filter.toStdString(),
              "BMPファイル(*.bmp)|*.bmp|PNGファイル(*.png)|*.png|SVGファイル(*.svg)|*.svg");
    f.scripted.files.Choose(request.presetName);
    Click(*result, "Command_PictSave");
    EXPECT_FALSE(fs::exists(f.folder.File("*.bmp")));

    const std::string diagram = f.folder.File("diagram.bmp");
    f.scripted.files.Choose(QString::fromStdString(diagram));
    Click(*result, "Command_PictSave");
    Click(*result, "Command_Next");
    const std::string height = f.folder.File("height.bmp");
    f.scripted.files.Choose(QString::fromStdString(height));
    Click(*result, "Command_PictSave");
    const auto first = LoadBmp(diagram);
    const auto second = LoadBmp(height);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->size(), QSize(560, 420));
    EXPECT_NE(*first, *second);
    // A folder that does not exist cannot take the file: reported, nothing claimed.
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("no/such/folder/x.bmp")));
    Click(*result, "Command_PictSave");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "ファイル書き込みエラー");
}

TEST(ResultWindow, AllImageViewMakesAndDeletesItsSixFiles) {
    AppFixture f;
    Form_Main window(*f.context);
    window.show();
    Dialog_Com3DSP* result = MakeYieldResult(f, window);
    ASSERT_NE(result, nullptr);
    Click(*result, "Command_ALLDSP");
    auto* view = window.findChild<MDIForm_ALLVIEW*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(f.context->flags.AllImageViewOpen, -1);
    EXPECT_EQ(view->windowTitle().toStdString(),
              "収穫予測表の作成 sugi_survey.dat 地位：中 間伐方式：収量比数と間伐率");
    for (int i = 0; i <= 5; ++i) {
        const std::string name = "_TmpBmp0" + std::to_string(i) + ".bmp";
        EXPECT_TRUE(fs::exists(f.folder.File(name))) << name;
        EXPECT_NE(view->findChild<QWidget*>(QStringLiteral("Dialog_VIEW0%1").arg(i)), nullptr);
    }
    EXPECT_EQ(f.context->allView.AllViewImageTitles[0].toStdString(), "収穫予測表");
    EXPECT_EQ(f.context->allView.AllViewImageTitles[5].toStdString(), "林齢－形状比");

    // A second view is refused, and so is the end of the program.
    const std::size_t before = f.scripted.messages.shown().size();
    Click(*result, "Command_ALLDSP");
    EXPECT_EQ(LastMessage(f.scripted), "現在オープン中の全画像表示ウィンドウを閉じてから実行してください。");
    window.Command_Exit_Click();
    EXPECT_EQ(f.scripted.messages.shown()[before + 1].text,
              "現在オープンしている全画像表示ウィンドウを閉じてから行ってください。");
    EXPECT_TRUE(window.isVisible());

    // The result window may close first; the view keeps its images.
    result->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    fs::remove(f.folder.File("_TmpBmp03.bmp"));  // already gone: not an error
    TriggerMenu(*view, "mnuFileExit");
    EXPECT_EQ(f.context->flags.AllImageViewOpen, 0);
    for (int i = 0; i <= 5; ++i) {
        EXPECT_FALSE(fs::exists(f.folder.File("_TmpBmp0" + std::to_string(i) + ".bmp")));
    }
}

TEST(ResultWindow, ClosingDuringTheComputationWaitsForIt) {
    AppFixture f;
    Form_Main window(*f.context);
    // Events are processed once a simulated year: the close request comes
    // from inside the computation, as a user's click would.
    struct ClosingPump : EventPump {
        Form_Main* main = nullptr;
        bool asked = false;
        void Pump() override {
            if (asked) return;
            if (auto* r = main->findChild<Dialog_Com3DSP*>()) {
                asked = true;
                r->close();
                EXPECT_TRUE(r->isVisible());
                main->Command3_Click();
            }
        }
    } pump;
    pump.main = &window;
    f.context->services.pump = &pump;
    MakeYieldResult(f, window);
    EXPECT_TRUE(pump.asked);
    WaitFor([&] { return window.findChild<Dialog_Com3DSP*>() == nullptr; }, 5000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<Dialog_Com3DSP*>(), nullptr);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_FALSE(f.context->computationRunning);
    // The wizard asked for during the run was refused, the table is whole.
    EXPECT_EQ(f.scripted.messages.shown().back().text,
              "現在オープン中の収穫予測表の作成ウィンドウを閉じてから実行してください。");
    EXPECT_TRUE(fs::exists(f.folder.File("YIELD_AA.150")));
    f.context->services.pump = &f.scripted.pump;
}

TEST(VolumeTable, ComputesTheThreeSiteClassesIntoOneFile) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* result = MakeVolumeResult(f, window);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 4);
    EXPECT_EQ(result->windowTitle().toStdString(), "システム収穫表：杜の暦『構想』－林分材積表の作成");
    EXPECT_TRUE(fs::exists(f.folder.File("YIELD_AA.80")));
    EXPECT_EQ(f.context->ws.Run.EndAge, 100);
    EXPECT_EQ(TextOf(*result, "Label2"), "地位：上");
    EXPECT_FALSE(Visible(*result, "Label3"));
    EXPECT_TRUE(IsEnabled(*result, "Frame1"));
    EXPECT_TRUE(Visible(*result, "Picture1"));

    Click(*result, "Option3");
    EXPECT_EQ(TextOf(*result, "Label2"), "地位：下");
    EXPECT_TRUE(Visible(*result, "Picture1_3"));
    EXPECT_FALSE(Visible(*result, "Picture1"));

    // On a graph the site option redraws it from that class's series.
    for (int i = 0; i < 3; ++i) Click(*result, "Command_Next");
    const std::string lower = f.folder.File("lower.bmp");
    f.scripted.files.Choose(QString::fromStdString(lower));
    Click(*result, "Command_PictSave");
    Click(*result, "Option1");
    const std::string upper = f.folder.File("upper.bmp");
    f.scripted.files.Choose(QString::fromStdString(upper));
    Click(*result, "Command_PictSave");
    EXPECT_NE(*LoadBmp(lower), *LoadBmp(upper));

    Click(*result, "Command_ALLDSP");
    EXPECT_EQ(f.context->allView.AllViewHeader.toStdString(), "林分材積表の作成sugi_survey.dat 地位：上");
    window.Command4_Click();
    EXPECT_EQ(LastMessage(f.scripted),
              "現在オープン中の林分材積表の作成ウィンドウを閉じてから実行してください。");
}

TEST(VolumeTable, SetupRefusesMissingNamesAndCurvesOfOtherData) {
    AppFixture f;
    Form_Main window(*f.context);
    // The HNP curve fitted to a survey file of the same name in another folder.
    const std::string other = f.folder.File("other");
    fs::create_directory(other);
    fs::copy_file(f.hnp, other + "/sugi.HNP");
    f.scripted.dialogs.Then([&f, other](QDialog& d) {
        Click(d, "OKButton");
        EXPECT_EQ(LastMessage(f.scripted),
                  "PRMファイル名が指定されていません\r\nPARファイル名が指定されていません\r\n"
                  "HNPファイル名が指定されていません\r\n");
        EXPECT_EQ(f.scripted.messages.shown().back().title, "林分材積表の作成");
        for (auto [button, path] : {std::pair{"Command_PRMSet", f.prm}, std::pair{"Command_PARSet", f.par},
                                    std::pair{"Command_HNPSet", other + "/sugi.HNP"}}) {
            f.scripted.files.Choose(QString::fromStdString(path));
            Click(d, button);
        }
        EXPECT_EQ(f.scripted.files.requests().back().filter.toStdString(),
                  "上上層樹高－本数曲線式ﾌｧｲﾙ (*.hnp)|*.hnp");
        Click(d, "OKButton");
        EXPECT_EQ(LastMessage(f.scripted),
                  "上層樹高生長曲線を計算したデータと一致しません。(PARとHNPが一致しない)");
        EXPECT_TRUE(d.isVisible());
        Click(d, "CancelButton");
    });
    window.Command4_Click();
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_EQ(window.findChild<Dialog_Com3DSP*>(), nullptr);
}

TEST(VolumeTable, ADiagramOfUnknownTypeIsRefusedBeforeAnyFileIsMade) {
    AppFixture f;
    // The example diagram with a type the equations do not know.
    std::string bytes = mk::test::ReadBytes(f.prm);
    const std::size_t line2 = bytes.find("\r\n") + 2;
    bytes[line2] = '3';
    mk::test::WriteBytes(f.prm, bytes);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& d) {
        for (auto [button, path] : {std::pair{"Command_PRMSet", f.prm}, std::pair{"Command_PARSet", f.par},
                                    std::pair{"Command_HNPSet", f.hnp}}) {
            f.scripted.files.Choose(QString::fromStdString(path));
            Click(d, button);
        }
        Click(d, "OKButton");
    });
    window.Command4_Click();
    WaitFor([&] { return f.context->flags.OpenResultWindow == 0; }, 5000);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_EQ(LastMessage(f.scripted), "林分密度管理図の種類が正しくありません（1または2）。");
    EXPECT_FALSE(fs::exists(f.folder.File("YIELD_AA.80")));
}

}  // namespace
}  // namespace mk::app::test
