// Values set with a scroll bar can also be typed: the box and the bar stay
// in step, full-width digits are read, values the bar cannot take are
// refused with their bounds, and Enter and Esc work the page.

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "app/main/form_main.h"
#include "app/widgets/scroll_row.h"
#include "app/yield/dialog_com3dsp.h"
#include "app_test_support.h"
#include "core/host/recording_messages.h"

namespace mk::app::test {
namespace {

// Typed key by key, as from a Japanese input method that hands over
// full-width characters.
void Type(QLineEdit* box, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

TEST(TypedEntry, ReadsOnlyValuesTheBarCanTakeInTheFormTheBoxShows) {
    QWidget window;
    ScrollRow ry(&window, "Label1", "Text1", "HScroll1", "収量比数");
    ry.Setup(50, 99, 80, 1, 5);
    ry.SetTypedScale(100);
    ScrollRow stems(&window, "Label2", "Text2", "HScroll2", "立木本数");
    stems.Setup(1000, 10000, 5000, 1, 900);
    ScrollRow height(&window, "Label3", "Text3", "HScroll3", "上層樹高");
    height.Setup(10, 400, 100, 1, 39);
    height.SetTypedScale(10);
    struct Case {
        ScrollRow* row;
        const char* typed;
        std::optional<int> value;
    } cases[] = {
        {&stems, "3000", 3000},
        {&stems, "３０００", 3000},
        {&stems, " 1000 ", 1000},
        {&stems, "10000", 10000},
        {&stems, "999", std::nullopt},
        {&stems, "10001", std::nullopt},
        {&stems, "3000.5", std::nullopt},
        {&stems, "三千", std::nullopt},
        {&stems, "", std::nullopt},
        {&stems, "1e3", 1000},
        {&ry, "0.80", 80},
        {&ry, "０．８５", 85},
        {&ry, ".5", 50},
        {&ry, "0.855", std::nullopt},
        {&ry, "1.00", std::nullopt},
        {&ry, "0.49", std::nullopt},
        {&ry, "80", std::nullopt},
        {&height, "12.3", 123},
        {&height, "40", 400},
        {&height, "40.1", std::nullopt},
        {&height, "nan", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.row->TypedValue(QString::fromUtf8(c.typed)), c.value) << c.typed;
    }
    EXPECT_EQ(ry.BoundsText().toStdString(), "0.50～0.99");
    EXPECT_EQ(stems.BoundsText().toStdString(), "1000～10000");
    EXPECT_EQ(height.BoundsText().toStdString(), "1.0～40.0");
}

TEST(TypedEntry, RefusalNamesTheBoundsAndPutsTheShownValueBack) {
    QWidget window;
    window.setWindowTitle("収穫予測表の作成－パラメータ設定(3/4)");
    ScrollRow row(&window, "Label1", "Text1", "HScroll1", "植栽本数");
    row.Setup(1000, 10000, 5000, 1, 900);
    QObject::connect(row.bar(), &QScrollBar::valueChanged, &window,
                     [&row](int v) { row.box()->setText(QString::number(v)); });
    row.box()->setText("5000");
    RecordingMessages messages;
    EnableTypedEntry(&window, messages);
    EXPECT_FALSE(row.box()->isReadOnly());

    row.box()->selectAll();
    Type(row.box(), "20000");
    EXPECT_FALSE(row.ConfirmTyped());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "収穫予測表の作成－パラメータ設定(3/4)");
    EXPECT_EQ(messages.shown()[0].text,
              "植栽本数には1000～10000 の整数を入力してください。\r\n「20000」は使えません。");
    EXPECT_EQ(row.bar()->value(), 5000);
    EXPECT_EQ(row.box()->text().toStdString(), "5000");

    row.box()->selectAll();
    Type(row.box(), QString::fromUtf8("３０００"));
    EXPECT_TRUE(row.ConfirmTyped());
    EXPECT_EQ(row.bar()->value(), 3000);
    EXPECT_EQ(row.box()->text().toStdString(), "3000");
    EXPECT_EQ(messages.shown().size(), 1u);
    // Nothing typed since: leaving the box again changes nothing.
    row.bar()->setValue(4000);
    EXPECT_TRUE(row.ConfirmTyped());
    EXPECT_EQ(row.bar()->value(), 4000);
}

// The yield wizard from a planting worked with the keyboard alone; page 3
// refuses a typed value out of bounds and reads full-width digits.
TEST(TypedEntry, KeyboardAloneTakesTheYieldWizardFromPlantingToTheResult) {
    AppFixture f;
    Form_Main window(*f.context);
    Activate(window);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        Activate(page);
        f.scripted.files.Choose(QString::fromStdString(f.prm));
        PressButton(page, "Command_PRMSet");
        f.scripted.files.Choose(QString::fromStdString(f.par));
        PressButton(page, "Command_PARSet");
        ChooseOption(page, "Option2");
        PressKey(page, Qt::Key_Return);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Activate(page);
        ChooseOption(page, "Option4");
        ChooseOption(page, "Option7");
        PressKey(page, Qt::Key_Enter);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([&f](QDialog& page) {
        Activate(page);
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_03");
        // Out of bounds: refused, and Enter does not leave the page.
        TabTo(page, "Text_SyokusaiNum");
        PressKey(page, Qt::Key_A, Qt::ControlModifier);
        TypeKeys(page, "200");
        PressKey(page, Qt::Key_Return);
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(LastMessage(f.scripted),
                  "植栽本数には1000～10000 の整数を入力してください。\r\n「200」は使えません。");
        EXPECT_EQ(Find<QScrollBar>(page, "HScroll1")->value(), 5000);
        // Full-width digits, then Enter presses 次へ.
        PressKey(page, Qt::Key_A, Qt::ControlModifier);
        TypeKeys(page, QString::fromUtf8("３０００"));
        PressKey(page, Qt::Key_Return);
        EXPECT_EQ(Find<QScrollBar>(page, "HScroll1")->value(), 3000);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Activate(page);
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_04_2");
        TabTo(page, "Text_Value1");
        PressKey(page, Qt::Key_A, Qt::ControlModifier);
        TypeKeys(page, "0.75");
        PressKey(page, Qt::Key_Return);
        EXPECT_EQ(Find<QScrollBar>(page, "HScroll1")->value(), 75);
        EXPECT_FALSE(page.isVisible());
    });
    PressButton(window, "Command3");
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->ws.Run.PlantingStemNumber, 3000);
    EXPECT_DOUBLE_EQ(f.context->ws.Run.RyTarget, 0.75);
    ASSERT_NE(window.findChild<Dialog_Com3DSP*>(), nullptr);
}

TEST(TypedEntry, EscCancelsAPageAndTabReachesThePageControlsBeforeItsButtons) {
    AppFixture f;
    Form_Main window(*f.context);
    std::vector<std::string> order;
    f.scripted.dialogs.Then([&order](QDialog& page) {
        // The focus chain from the first control the page gives the focus.
        QWidget* w = page.nextInFocusChain();
        for (int i = 0; i < 40 && w != &page; ++i, w = w->nextInFocusChain()) {
            if (page.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible())
                order.push_back(w->objectName().toStdString());
        }
        QTest::keyClick(&page, Qt::Key_Escape);
        EXPECT_FALSE(page.isVisible());
    });
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->flags.WizardResult, 0);
    EXPECT_EQ(window.findChild<Dialog_Com3DSP*>(), nullptr);
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[order.size() - 3], "Command_Back");
    EXPECT_EQ(order[order.size() - 2], "OKButton");
    EXPECT_EQ(order[order.size() - 1], "CancelButton");
    EXPECT_EQ(order[0], "Text_PRM_Name");
}

}  // namespace
}  // namespace mk::app::test
