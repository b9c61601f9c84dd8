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

// Runs the wizard of QueueYieldWizard and waits for the result.
Dialog_Com3DSP* MakeYieldResult(AppFixture& f, Form_Main& window) {
    QueueYieldWizard(f);
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
        for (auto [button, path] :
             {std::pair{"Command_PRMSet", f.prm}, std::pair{"Command_PARSet", f.par},
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
    EXPECT_EQ(result->windowTitle().toStdString(),
              "システム収穫表：杜の暦『構想』－収穫予測表の作成");
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
    // A name typed without extension gets the filter's; replacing a file is
    // asked about in Japanese, and "no" leaves it as it was.
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("diag1")));
    Click(*result, "Command_PictSave");
    EXPECT_FALSE(fs::exists(f.folder.File("diag1")));
    ASSERT_TRUE(fs::exists(f.folder.File("diag1.bmp")));
    EXPECT_EQ(*LoadBmp(f.folder.File("diag1.bmp")), *second);
    mk::test::WriteBytes(diagram, "kept");
    const std::size_t asked = f.scripted.messages.shown().size();
    f.scripted.messages.Script(MessageAnswer::No);
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("diagram")));
    Click(*result, "Command_PictSave");
    ASSERT_EQ(f.scripted.messages.shown().size(), asked + 1);
    const ShownMessage& question = f.scripted.messages.shown().back();
    EXPECT_EQ(question.text, "diagram.bmp は既に存在します。\n上書きしますか？");
    EXPECT_EQ(question.title, "画像を保存します");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(mk::test::ReadBytes(diagram), "kept");
    f.scripted.messages.Script(MessageAnswer::Yes);
    f.scripted.files.Choose(QString::fromStdString(diagram));
    Click(*result, "Command_PictSave");
    EXPECT_EQ(*LoadBmp(diagram), *second);

    // A folder that does not exist cannot take the file: reported, nothing claimed.
    f.scripted.files.Choose(QString::fromStdString(f.folder.File("no/such/folder/x.bmp")));
    Click(*result, "Command_PictSave");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "ファイル書き込みエラー");
}

TEST(ResultWindow, AllImageViewMakesAndDeletesItsSixFiles) {
    AppFixture f;
    // A file of the user's that happens to have an image's name.
    const std::string mine = f.folder.File("_TmpBmp00.bmp");
    mk::test::WriteBytes(mine, "mine");
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
    const auto files = f.context->allView.AllViewImageFiles;
    const fs::path folder = fs::path(files[0].toStdString()).parent_path();
    EXPECT_NE(fs::canonical(folder), fs::canonical(f.folder.path()));
    for (int i = 0; i <= 5; ++i) {
        const fs::path file = files[i].toStdString();
        EXPECT_EQ(file.filename().string(), "_TmpBmp0" + std::to_string(i) + ".bmp");
        EXPECT_EQ(file.parent_path(), folder);
        EXPECT_TRUE(fs::exists(file)) << file;
        EXPECT_NE(view->findChild<QWidget*>(QStringLiteral("Dialog_VIEW0%1").arg(i)), nullptr);
    }
    EXPECT_EQ(mk::test::ReadBytes(mine), "mine");
    EXPECT_EQ(f.context->allView.AllViewImageTitles[0].toStdString(), "収穫予測表");
    EXPECT_EQ(f.context->allView.AllViewImageTitles[5].toStdString(), "林齢－形状比");

    // A second view is refused, and so is the end of the program.
    const std::size_t before = f.scripted.messages.shown().size();
    Click(*result, "Command_ALLDSP");
    EXPECT_EQ(LastMessage(f.scripted),
              "現在オープン中の全画像表示ウィンドウを閉じてから実行してください。");
    window.Command_Exit_Click();
    EXPECT_EQ(f.scripted.messages.shown()[before + 1].text,
              "現在オープンしている全画像表示ウィンドウを閉じてから行ってください。");
    EXPECT_TRUE(window.isVisible());

    // The result window may close first; the view keeps its images.
    result->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_TRUE(fs::exists(files[0].toStdString()));
    fs::remove(files[3].toStdString());  // already gone: not an error
    TriggerMenu(*view, "mnuFileExit");
    EXPECT_EQ(f.context->flags.AllImageViewOpen, 0);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(mk::test::ReadBytes(mine), "mine");
}

TEST(ResultWindow, AllImageViewFolderGoesWhenTheProgramEnds) {
    AppFixture f;
    fs::path folder;
    {
        Form_Main window(*f.context);
        window.show();
        Dialog_Com3DSP* result = MakeYieldResult(f, window);
        ASSERT_NE(result, nullptr);
        Click(*result, "Command_ALLDSP");
        ASSERT_NE(window.findChild<MDIForm_ALLVIEW*>(), nullptr);
        folder = fs::path(f.context->allView.AllViewImageFiles[0].toStdString()).parent_path();
        ASSERT_TRUE(fs::exists(folder));
    }
    EXPECT_FALSE(fs::exists(folder));
}

// The example diagram with a type the equations do not know.
void MakeDiagramTypeUnknown(const std::string& prm) {
    std::string bytes = mk::test::ReadBytes(prm);
    const std::size_t line2 = bytes.find("\r\n") + 2;
    bytes[line2] = '3';
    mk::test::WriteBytes(prm, bytes);
}

TEST(ResultWindow, ARunThatDoesNotStartShowsNoEarlierPictures) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* first = MakeYieldResult(f, window);
    ASSERT_NE(first, nullptr);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    MakeDiagramTypeUnknown(f.prm);
    QueueYieldWizard(f);
    window.Command3_Click();
    EXPECT_TRUE(
        WaitFor([&] { return f.scripted.messages.shown().back().title == "TABLECALC"; }, 5000));
    EXPECT_EQ(LastMessage(f.scripted), "林分密度管理図の種類が正しくありません（1または2）。");
    // The window goes, as the stand volume table's does: nothing of the
    // first run can be paged through, saved or exported under this run.
    WaitFor([&] { return window.findChild<Dialog_Com3DSP*>() == nullptr; }, 5000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<Dialog_Com3DSP*>(), nullptr);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_FALSE(fs::exists(f.folder.File("YIELD_AB.150")));
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
    EXPECT_EQ(result->windowTitle().toStdString(),
              "システム収穫表：杜の暦『構想』－林分材積表の作成");
    EXPECT_TRUE(fs::exists(f.folder.File("YIELD_AA.80")));
    EXPECT_EQ(f.context->ws.Run.EndAge, 100);
    EXPECT_EQ(TextOf(*result, "Label2"), "地位：上");
    EXPECT_FALSE(Visible(*result, "Label3"));
    EXPECT_TRUE(IsEnabled(*result, "Frame1"));
    EXPECT_TRUE(Visible(*result, "Picture1"));
    // The three progress lines each name their site class.
    EXPECT_EQ(TextOf(*result, "Label4"), "地位：上　林　齢　＝　100");
    EXPECT_EQ(TextOf(*result, "Label4_2"), "地位：中　林　齢　＝　100");
    EXPECT_EQ(TextOf(*result, "Label4_3"), "地位：下　林　齢　＝　100");

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
    EXPECT_EQ(f.context->allView.AllViewHeader.toStdString(),
              "林分材積表の作成sugi_survey.dat 地位：上");
    window.Command4_Click();
    EXPECT_EQ(LastMessage(f.scripted),
              "現在オープン中の林分材積表の作成ウィンドウを閉じてから実行してください。");
}

TEST(VolumeTable, SetupOffersTheFilesDecidedTheLastTime) {
    AppFixture f;
    Form_Main window(*f.context);
    Dialog_Com3DSP* result = MakeVolumeResult(f, window);
    ASSERT_NE(result, nullptr);
    result->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A yield run in between does not change what the setup offers.
    f.context->ws.Run.PrmFileName = f.prm2;
    f.scripted.dialogs.Then([&f](QDialog& d) {
        EXPECT_EQ(TextOf(d, "Text_PRM_Name"), f.prm);
        EXPECT_EQ(TextOf(d, "Text_PAR_Name"), f.par);
        EXPECT_EQ(TextOf(d, "Text_HNP_Name"), f.hnp);
        EXPECT_TRUE(f.context->ws.Hnp.HnpLoaded);
        Click(d, "CancelButton");
    });
    window.Command4_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
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
        for (auto [button, path] :
             {std::pair{"Command_PRMSet", f.prm}, std::pair{"Command_PARSet", f.par},
              std::pair{"Command_HNPSet", other + "/sugi.HNP"}}) {
            f.scripted.files.Choose(QString::fromStdString(path));
            Click(d, button);
        }
        EXPECT_EQ(f.scripted.files.requests().back().filter.toStdString(),
                  "上層樹高－本数曲線式ﾌｧｲﾙ (*.hnp)|*.hnp");
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
    MakeDiagramTypeUnknown(f.prm);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& d) {
        for (auto [button, path] :
             {std::pair{"Command_PRMSet", f.prm}, std::pair{"Command_PARSet", f.par},
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
