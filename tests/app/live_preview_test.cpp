// The stand's path drawn beside the yield wizard's controls: drawn again
// with the new values after a bar moves, while a value is typed and while a
// thinning is being chosen, and a line saying why when values cannot run.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTest>

#include "app/widgets/picture_box.h"
#include "app/widgets/scroll_row.h"
#include "app/yield/path_preview.h"
#include "app/yield/wizard_bounds_page.h"
#include "app/yield/wizard_schedule_page.h"
#include "app/yield/wizard_stand_page.h"
#include "app_test_support.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/yield/stand_preview.h"
#include "render/image_canvas.h"

namespace mk::app::test {
namespace {

void PrepareRun(AppFixture& f, int method) {
    Workspace& ws = f.context->ws;
    ASSERT_TRUE(ReadPrmFile(f.prm, ws.Diagram, f.scripted.messages));
    ASSERT_TRUE(ReadParFile(f.par, ws.HeightCurve, f.scripted.messages));
    ws.Run.PrmFileName = f.prm;
    ws.Run.ParFileName = f.par;
    ws.Run.SiteClass = 2;
    ws.Run.SiteCurveScale = *SiteCurveScale(ws.HeightCurve, 2);
    ws.Run.ThinningMethod = method;
    ws.Run.StemSettingMethod = 1;
    ws.Run.PlantingStemNumber = 3000;
    ws.Run.CurrentAge = 1;
    ws.Run.EndAge = 80;
}

PathPreview* PreviewOf(QWidget& page) { return Find<PathPreview>(page, "Frame_Preview"); }

// The preview's picture as the core draws the run of run.
QImage Expected(const Workspace& ws, const RunSettings& run) {
    YieldState state;
    state.Diagram = ws.Diagram;
    state.HeightCurve = ws.HeightCurve;
    state.Run = run;
    state.CurrentStand = ws.CurrentStand;
    ImageCanvas picture;
    DrawStandPreview(state, picture);
    return picture.image();
}

// Waits for the preview's next drawing after a change made now.
bool RedrawnAfter(PathPreview& preview, const std::function<void()>& change) {
    const int before = preview.redrawCount();
    change();
    return WaitFor([&] { return preview.redrawCount() > before; }, 5000);
}

// Keys as the input method delivers them: the text of each key, full-width
// digits included.
void TypeKeys(QLineEdit* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

bool HasColour(const QImage& image, Color colour) {
    const QRgb wanted = ToRgb(colour);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) return true;
        }
    }
    return false;
}

TEST(LivePreview, StandPageDrawsThePathOfTheBarsAndOfWhatIsBeingTyped) {
    AppFixture f;
    PrepareRun(f, 1);
    Dialog_Com3_03 page(*f.context);
    EnableTypedEntry(&page, f.scripted.messages);
    page.show();
    PathPreview* preview = PreviewOf(page);
    ASSERT_NE(preview, nullptr);
    EXPECT_LE(PathPreview::kSettleMilliseconds, 40);  // redrawn within 50 ms of a change
    const Workspace& ws = f.context->ws;
    RunSettings run = ws.Run;
    run.EndAge = 80;
    run.PlantingStemNumber = 3000;
    // No thinnings chosen yet: the stand left alone, and the page says so.
    EXPECT_EQ(preview->picture().picture().image(), Expected(ws, run));
    EXPECT_EQ(preview->note().toStdString(), "間伐を設定するまでは、間伐しない場合の経過です。");

    const QImage before = preview->picture().picture().image();
    ASSERT_TRUE(RedrawnAfter(*preview, [&] { SetBar(page, "HScroll1", 6000); }));
    run.PlantingStemNumber = 6000;
    EXPECT_NE(preview->picture().picture().image(), before);
    EXPECT_EQ(preview->picture().picture().image(), Expected(ws, run));

    // Typed, before Enter hands it to the bar.
    auto* endBox = Find<QLineEdit>(page, "Text_CalcYear");
    ASSERT_TRUE(RedrawnAfter(*preview, [&] {
        endBox->selectAll();
        TypeKeys(endBox, QStringLiteral("１５０"));
    }));
    run.EndAge = 150;
    EXPECT_EQ(preview->picture().picture().image(), Expected(ws, run));
    EXPECT_EQ(Find<QScrollBar>(page, "HScroll4")->value(), 80);  // not handed over yet

    // What cannot be run is said in one line, and no path is drawn.
    ASSERT_TRUE(RedrawnAfter(*preview, [&] { TypeKeys(endBox, QStringLiteral("x")); }));
    EXPECT_EQ(preview->note().toStdString(),
              "計算終了年には50～200 の整数を入力してください。「１５０x」は使えません。");
    ImageCanvas diagram;
    DrawDensityDiagram(diagram, ws.Diagram);
    EXPECT_EQ(preview->picture().picture().image(), diagram.image());
    EXPECT_TRUE(f.scripted.messages.shown().empty());  // nothing pops up while typing
}

TEST(LivePreview, CurrentStandEndingBeforeItStartsIsRefusedInTheLine) {
    AppFixture f;
    PrepareRun(f, 1);
    f.context->ws.Run.StemSettingMethod = 2;
    f.context->ws.Run.CurrentAge = 90;
    Dialog_Com3_03 page(*f.context);
    page.show();
    PathPreview* preview = PreviewOf(page);
    ASSERT_TRUE(RedrawnAfter(*preview, [&] { SetBar(page, "HScroll4", 60); }));
    EXPECT_EQ(preview->note().toStdString(),
              "計算終了年（60）は現在の林齢（90）より後にしてください。");
    ASSERT_TRUE(RedrawnAfter(*preview, [&] { SetBar(page, "HScroll4", 120); }));
    EXPECT_EQ(preview->note().toStdString(), "間伐を設定するまでは、間伐しない場合の経過です。");
}

TEST(LivePreview, SchedulePageFollowsTheThinningBeingChosen) {
    AppFixture f;
    PrepareRun(f, 1);
    Dialog_Com3_04_1 page(*f.context);
    PathPreview* preview = PreviewOf(page);
    ASSERT_NE(preview, nullptr);
    const Workspace& ws = f.context->ws;
    RunSettings run = ws.Run;
    int firstAge = 0;
    bool typedShown = false, secondShown = false, secondRateShown = false;
    f.scripted.dialogs.Then([&](QDialog& d) {
        EnableTypedEntry(&d, f.scripted.messages);
        firstAge = Find<QScrollBar>(d, "HScroll1")->minimum() + 7;
        auto* key = Find<QLineEdit>(d, "Text1");
        ASSERT_TRUE(RedrawnAfter(*preview, [&] {
            key->selectAll();
            TypeKeys(key, QString::number(firstAge));
        }));
        run.ThinningCount = 1;
        run.ThinningKey[1] = firstAge;
        run.ThinningRate[1] = Find<QScrollBar>(d, "HScroll2")->value() / 100.0;
        typedShown = preview->picture().picture().image() == Expected(ws, run);
        QTest::keyClick(key, Qt::Key_Return);
        Click(d, "OKButton");
    });
    f.scripted.dialogs.Then([&](QDialog& d) {
        // The second thinning as proposed, after the first as chosen.
        run.ThinningCount = 2;
        run.ThinningKey[2] = Find<QScrollBar>(d, "HScroll1")->value();
        run.ThinningRate[2] = Find<QScrollBar>(d, "HScroll2")->value() / 100.0;
        secondShown = WaitFor(
            [&] { return preview->picture().picture().image() == Expected(ws, run); }, 5000);
        ASSERT_TRUE(RedrawnAfter(*preview, [&] { SetBar(d, "HScroll2", 40); }));
        run.ThinningRate[2] = 0.40;
        secondRateShown = preview->picture().picture().image() == Expected(ws, run);
        Click(d, "OKButton");
    });
    page.show();
    SetBar(page, "HScroll00", 2);
    Click(page, "Command1");
    EXPECT_TRUE(typedShown);
    EXPECT_TRUE(secondShown);
    EXPECT_TRUE(secondRateShown);
    EXPECT_EQ(ws.Run.ThinningCount, 2);
    EXPECT_EQ(ws.Run.ThinningKey[1], firstAge);
    // Once both are chosen the path is the schedule's, with no note.
    ASSERT_TRUE(WaitFor(
        [&] { return preview->picture().picture().image() == Expected(ws, ws.Run); }, 5000));
    EXPECT_TRUE(preview->note().isEmpty());
}

TEST(LivePreview, BoundsPageShadesTheBoundsAndFollowsThem) {
    AppFixture f;
    PrepareRun(f, 5);
    Dialog_Com3_04_2 page(*f.context);
    page.show();
    PathPreview* preview = PreviewOf(page);
    ASSERT_NE(preview, nullptr);
    const QImage first = preview->picture().picture().image();
    EXPECT_TRUE(HasColour(first, kBoundShadeColor));
    EXPECT_TRUE(HasColour(first, kBoundEdgeColor));
    EXPECT_TRUE(HasColour(first, colors::DarkBlue));
    ASSERT_TRUE(RedrawnAfter(*preview, [&] { SetBar(page, "HScroll2", 55); }));
    RunSettings run = f.context->ws.Run;
    run.RyTarget = run.RyUpper = 0.80;
    run.RyLower = 0.55;
    run.ThinningFromAge = Find<QScrollBar>(page, "HScroll3")->value() - 1;
    run.ThinningToAge = Find<QScrollBar>(page, "HScroll4")->value() + 1;
    EXPECT_NE(preview->picture().picture().image(), first);
    EXPECT_EQ(preview->picture().picture().image(), Expected(f.context->ws, run));
    // The bounds are the preview's own: the run record is not touched.
    EXPECT_EQ(f.context->ws.Run.RyLower, 0);
}

}  // namespace
}  // namespace mk::app::test
