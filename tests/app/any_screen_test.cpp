// Windows on any screen: result pictures that grow and shrink with their
// window while the saved bitmap stays the batch tool's, the all-image view
// that fits the screen and re-tiles, and windows larger than the screen
// that scroll.

#include <gtest/gtest.h>

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <filesystem>

#include "app/main/form_main.h"
#include "app/widgets/screen_fit.h"
#include "app/yield/dialog_com3dsp.h"
#include "app/yield/mdiform_allview.h"
#include "app_test_support.h"
#include "render/bmp_file.h"

namespace mk::app::test {
namespace {

Dialog_Com3DSP* WaitForResult(Form_Main& window) {
    Dialog_Com3DSP* result = nullptr;
    WaitFor([&] {
        result = window.findChild<Dialog_Com3DSP*>();
        return result != nullptr && result->activated();
    });
    return result;
}

// Records whether a button could be pressed while the simulation ran.
class ButtonWatchingPump final : public EventPump {
public:
    QPushButton* button = nullptr;
    int pumps = 0;
    int enabledDuringRun = 0;
    void Pump() override {
        ++pumps;
        if (button != nullptr && button->isEnabled()) ++enabledDuringRun;
    }
};

TEST(AnyScreen, ResultPicturesFollowTheWindowAndTheSavedBitmapStaysThePicture) {
    AppFixture f;
    Form_Main window(*f.context);
    ButtonWatchingPump pump;
    f.context->services.pump = &pump;
    QueueYieldWizard(f);
    window.Command3_Click();
    auto* opened = window.findChild<Dialog_Com3DSP*>();
    ASSERT_NE(opened, nullptr);
    // A button another part of the program adds is locked with the others.
    auto* extra = new QPushButton(QStringLiteral("CSV"));
    extra->setObjectName(QStringLiteral("Command_Extra"));
    opened->AddPanelButton(extra);
    Dialog_Com3DSP* result = WaitForResult(window);
    ASSERT_EQ(result, opened);
    EXPECT_GT(pump.pumps, 0);
    EXPECT_EQ(pump.enabledDuringRun, 0);
    EXPECT_TRUE(extra->isEnabled());

    auto* picture = Find<PictureBox>(*result, "Picture1");
    ASSERT_NE(picture, nullptr);
    result->resize(1500, 1000);
    QCoreApplication::processEvents();
    EXPECT_GT(picture->width(), 700);
    EXPECT_GT(picture->PictureRect().height(), 500);
    result->resize(600, 330);
    QCoreApplication::processEvents();
    EXPECT_LT(picture->PictureRect().width(), 560);
    EXPECT_NEAR(picture->PictureRect().width() / picture->PictureRect().height(), 560.0 / 420.0,
                0.01);

    // Whatever the size on the screen, the saved bitmap is the 560 x 420
    // picture the batch tool would write.
    const std::string path = f.folder.File("diagram.bmp");
    f.scripted.files.Choose(QString::fromStdString(path));
    Click(*result, "Command_PictSave");
    EXPECT_EQ(mk::test::ReadBytes(path), EncodeBmp24(picture->picture().image()));
    EXPECT_EQ(picture->picture().image().size(), QSize(560, 420));
    f.context->services.pump = &f.scripted.pump;
}

TEST(AnyScreen, AllImageViewFitsTheScreenReTilesAndShowsAClosedPictureAgain) {
    AppFixture f;
    Form_Main window(*f.context);
    window.show();
    QueueYieldWizard(f);
    window.Command3_Click();
    Dialog_Com3DSP* result = WaitForResult(window);
    ASSERT_NE(result, nullptr);
    Click(*result, "Command_ALLDSP");
    auto* view = window.findChild<MDIForm_ALLVIEW*>();
    ASSERT_NE(view, nullptr);
    QCoreApplication::processEvents();
    const QRect screen = view->screen()->availableGeometry();
    EXPECT_LE(view->width(), screen.width());
    EXPECT_LE(view->height(), screen.height());

    auto* area = view->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    const auto children = area->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(children.size(), 6);
    // Resized, the frame tiles its six pictures anew: three across.
    view->resize(1200, 800);
    QCoreApplication::processEvents();
    const int third = area->viewport()->width() / 3;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(children[i]->geometry().width(), third) << i;
        EXPECT_EQ(children[i]->geometry().x(), (i % 3) * third) << i;
    }
    // The drawings are painted from what the files hold.
    auto* picture = children[2]->findChild<PictureBox*>();
    ASSERT_NE(picture, nullptr);
    EXPECT_GT(picture->canvas().KeptCount(), 10u);

    // 重ねて表示 stacks them; resizing then leaves the stack alone.
    TriggerMenu(*view, "mnuWindowCascade");
    const QRect stacked = children[5]->geometry();
    EXPECT_GT(stacked.x(), children[0]->geometry().x());
    view->resize(1100, 760);
    QCoreApplication::processEvents();
    EXPECT_EQ(children[5]->geometry().topLeft(), stacked.topLeft());

    // A picture closed by the user comes back from the menu.
    children[3]->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(children[3]->isVisible());
    TriggerMenu(*view, "mnuWindowView03");
    EXPECT_TRUE(children[3]->isVisible());
    TriggerMenu(*view, "mnuWindowTile");
    EXPECT_EQ(children[4]->geometry().x(), area->viewport()->width() / 3);
    TriggerMenu(*view, "mnuFileExit");
    EXPECT_EQ(f.context->flags.AllImageViewOpen, 0);
}

TEST(AnyScreen, AWindowLargerThanTheScreenScrollsAndKeepsItsControls) {
    QDialog big;
    auto* layout = new QVBoxLayout(&big);
    auto* wide = new QWidget(&big);
    wide->setObjectName(QStringLiteral("Wide"));
    wide->setMinimumSize(4000, 3000);
    layout->addWidget(wide);
    auto* ok = new QPushButton(QStringLiteral("OK"), &big);
    ok->setObjectName(QStringLiteral("OKButton"));
    layout->addWidget(ok);
    ASSERT_TRUE(FitToScreen(&big));
    EXPECT_FALSE(FitToScreen(&big));  // once is enough
    ASSERT_NE(big.findChild<QScrollArea*>(), nullptr);
    EXPECT_EQ(big.findChild<QPushButton*>(QStringLiteral("OKButton")), ok);
    EXPECT_TRUE(big.isAncestorOf(wide));
    const QSize room = big.screen()->availableGeometry().size();
    EXPECT_LE(big.width(), room.width());
    EXPECT_LE(big.height(), room.height());

    QDialog small;
    auto* smallLayout = new QVBoxLayout(&small);
    smallLayout->addWidget(new QPushButton(QStringLiteral("OK"), &small));
    EXPECT_FALSE(FitToScreen(&small));
    EXPECT_EQ(small.findChild<QScrollArea*>(), nullptr);
}

}  // namespace
}  // namespace mk::app::test
