// Pictures of the program's windows for the documentation: the windows are
// driven with scripted answers over the example files and each one is
// grabbed as it shows on the screen. Usage: morikoyomi-screenshots EXAMPLES OUTDIR [screen]
// (run it on a display, for example under xvfb-run). With "screen" the
// whole screen is saved each time, to show how the windows fit on it.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <iostream>

#include "app/basedata/form_1datainput.h"
#include "app/main/form_main.h"
#include "app/planning/dialog_com2dsp.h"
#include "app/services/file_dialogs.h"
#include "app/services/scripted_services.h"
#include "app/services/translations.h"
#include "app/tables/form_table_view.h"
#include "app/tools/form_helper_program.h"
#include "app/widgets/screen_fit.h"
#include "app/yield/dialog_com3dsp.h"
#include "app/yield/mdiform_allview.h"

using namespace mk::app;

namespace {

QString out;
bool wholeScreen = false;

void Settle(int ms = 150) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Shoot(QWidget& w, const char* name) {
    Settle();
    const QString path =
        out + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png");
    QPixmap shot;
    if (wholeScreen) {
        w.window()->raise();
        Settle();
        shot = w.window()->screen()->grabWindow(0);
    } else {
        shot = w.window()->grab();
    }
    if (!shot.save(path)) std::cerr << "cannot save " << path.toStdString() << "\n";
}

template <typename T>
T* Child(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

void ClickOn(QWidget& w, const char* name) {
    if (auto* b = Child<QAbstractButton>(w, name)) b->click();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), font.family()});
    QApplication::setFont(font);
    if (argc < 3) {
        std::cerr << "usage: morikoyomi-screenshots EXAMPLES OUTDIR\n";
        return 2;
    }
    out = QString::fromLocal8Bit(argv[2]);
    wholeScreen = argc > 3 && QString::fromLocal8Bit(argv[3]) == QStringLiteral("screen");
    // As the program itself: Qt's texts in Japanese, windows kept on the screen.
    InstallJapaneseTranslations();
    InstallScreenFit();
    QDir().mkpath(out);
    QTemporaryDir work;
    for (const char* name : {"sugi_type1.prm", "sugi.PAR", "sugi.HNP", "sugi_survey.dat"}) {
        QFile::copy(QString::fromLocal8Bit(argv[1]) + QLatin1Char('/') + QString::fromLatin1(name),
                    work.filePath(QString::fromLatin1(name)));
    }
    QDir::setCurrent(work.path());
    const QString prm = work.filePath(QStringLiteral("sugi_type1.prm"));
    const QString par = work.filePath(QStringLiteral("sugi.PAR"));

    ScriptedServices s;
    AppContext context;
    context.services = s.services();
    Form_Main window(context);
    window.show();
    Shoot(window, "main_window");

    // A yield table from a current stand with a calculated site class,
    // method 1 with five thinnings.
    s.dialogs.Then([&](QDialog& page) {
        s.files.Choose(prm);
        ClickOn(page, "Command_PRMSet");
        s.files.Choose(par);
        ClickOn(page, "Command_PARSet");
        ClickOn(page, "Command_CalcState");
        Shoot(page, "wizard_page1");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& d) {
        Settle();
        Child<QScrollBar>(d, "HScroll1")->setValue(35);
        Child<QScrollBar>(d, "HScroll2")->setValue(Child<QScrollBar>(d, "HScroll2")->value() + 25);
        ClickOn(d, "Command_Calc");
        Shoot(d, "site_class_calculation");
        ClickOn(d, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        ClickOn(page, "Option1");
        Shoot(page, "wizard_page2");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        Child<QScrollBar>(page, "HScroll3")->setValue(1600);
        Child<QScrollBar>(page, "HScroll4")->setValue(80);
        Shoot(page, "wizard_page3");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        Child<QScrollBar>(page, "HScroll00")->setValue(5);
        ClickOn(page, "Command1");
        Child<QScrollBar>(page, "VScroll1")->setValue(3);
        Shoot(page, "wizard_schedule");
        ClickOn(page, "OKButton");
    });
    for (int j = 1; j <= 5; ++j) {
        s.dialogs.Then([&, j](QDialog& d) {
            auto* key = Child<QScrollBar>(d, "HScroll1");
            key->setValue(key->value() + 4 * j);
            Child<QScrollBar>(d, "HScroll2")->setValue(25);
            if (j == 1) Shoot(d, "wizard_thinning_dialog");
            // The schedule page behind the dialog draws the path of the
            // thinning being chosen.
            if (j == 3 && d.parentWidget() != nullptr) {
                Settle(200);
                Shoot(*d.parentWidget(), "wizard_schedule_live");
            }
            ClickOn(d, "OKButton");
        });
    }
    window.Command3_Click();
    Dialog_Com3DSP* result = nullptr;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000) {
        result = window.findChild<Dialog_Com3DSP*>();
        if (result != nullptr && result->activated()) break;
        Settle(50);
    }
    if (result == nullptr) return 1;
    Shoot(*result, "result_diagram");
    ClickOn(*result, "Command_Next");
    ClickOn(*result, "Command_Next");
    Shoot(*result, "result_graph");
    // The same window made as large as the screen allows: the graph is
    // drawn at that size.
    const QSize normal = result->size();
    result->move(result->screen()->availableGeometry().topLeft());
    result->resize(result->screen()->availableGeometry().size() * 0.9);
    Shoot(*result, "result_graph_large");
    result->resize(normal);
    // The same stand left unthinned, laid over the graph and the diagram.
    ClickOn(*result, "Check_Baseline");
    Shoot(*result, "result_baseline_graph");
    ClickOn(*result, "Command_Back");
    ClickOn(*result, "Command_Back");
    Shoot(*result, "result_baseline_diagram");
    ClickOn(*result, "Check_Baseline");
    ClickOn(*result, "Command_ALLDSP");
    if (auto* view = window.findChild<MDIForm_ALLVIEW*>()) {
        Settle(400);
        Shoot(*view, "all_image_view");
        view->close();
    }
    result->close();
    Settle();

    // The yield table reopened from the main window's file menu.
    s.files.Choose(work.filePath(QStringLiteral("YIELD_AA.150")));
    Child<QAction>(window, "mnuFileTableOpen")->trigger();
    if (auto* view = window.findChild<Form_TableView*>()) {
        view->resize(1340, 640);
        Shoot(*view, "table_view");
        view->close();
    }

    // The bound page of method 5 and the stand volume table setup.
    s.dialogs.Then([&](QDialog& page) {
        s.files.Choose(prm);
        ClickOn(page, "Command_PRMSet");
        s.files.Choose(par);
        ClickOn(page, "Command_PARSet");
        ClickOn(page, "Option2");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        ClickOn(page, "Option5");
        ClickOn(page, "Option7");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) { ClickOn(page, "OKButton"); });
    s.dialogs.Then([&](QDialog& page) {
        Shoot(page, "wizard_bounds");
        ClickOn(page, "CancelButton");
    });
    window.Command3_Click();
    s.dialogs.Then([&](QDialog& d) {
        s.files.Choose(prm);
        ClickOn(d, "Command_PRMSet");
        s.files.Choose(par);
        ClickOn(d, "Command_PARSet");
        s.files.Choose(work.filePath(QStringLiteral("sugi.HNP")));
        ClickOn(d, "Command_HNPSet");
        Shoot(d, "volume_table_setup");
        ClickOn(d, "CancelButton");
    });
    window.Command4_Click();

    s.settings.values[QStringLiteral("Helper/EditerPath")] = QStringLiteral("/usr/bin/mousepad");
    s.dialogs.Then([&](QDialog& d) {
        Shoot(d, "launcher");
        s.dialogs.Then([&](QDialog& setting) {
            Shoot(setting, "launcher_settings");
            ClickOn(setting, "CancelButton");
        });
        static_cast<Form_HelperProgram&>(d).mnuEnvEditer_Click();
        d.close();
    });
    window.Command5_Click();
    s.dialogs.Then([&](QDialog& d) { Shoot(d, "about_box"); });
    window.Mnu_HelpVersion_Click();

    // The base data windows over the example survey file.
    const QString dat = work.filePath(QStringLiteral("sugi_survey.dat"));
    s.dialogs.Then([&](QDialog& menu) {
        Shoot(menu, "base_menu");
        s.dialogs.Then([&](QDialog& editor) {
            s.files.Choose(dat);
            Child<QAction>(editor, "mnuFileOPEN")->trigger();
            Shoot(editor, "base_survey_editor");
            s.dialogs.Then([&](QDialog& entry) {
                Shoot(entry, "base_entry_dialog");
                ClickOn(entry, "CancelButton");
            });
            static_cast<Form_1DATAINPUT&>(editor).List1_DblClick();
            Child<QAction>(editor, "mnuFileEXIT")->trigger();
        });
        ClickOn(menu, "Command1_1");
        s.dialogs.Then([&](QDialog& check) {
            s.files.Choose(dat);
            Child<QAction>(check, "mnuFileOPEN")->trigger();
            ClickOn(check, "Command2F");
            Shoot(check, "base_data_check");
        });
        ClickOn(menu, "Command1_2");
        s.dialogs.Then([&](QDialog& editor) {
            s.files.Choose(prm);
            Child<QAction>(editor, "mnuFileOPEN")->trigger();
            Shoot(editor, "base_prm_editor");
        });
        ClickOn(menu, "Command1_3");
        s.dialogs.Then([&](QDialog& curve) {
            s.files.Choose(dat);
            Child<QAction>(curve, "mnuFileOPEN")->trigger();
            ClickOn(curve, "Check1");
            ClickOn(curve, "Command_GO");
            Shoot(curve, "base_site_curve");
        });
        ClickOn(menu, "Command2");
        s.dialogs.Then([&](QDialog& curve) {
            s.files.Choose(dat);
            Child<QAction>(curve, "mnuFileOPEN")->trigger();
            ClickOn(curve, "Check1");
            ClickOn(curve, "Command_GO");
            Shoot(curve, "base_stem_curve");
        });
        ClickOn(menu, "Command3");
        ClickOn(menu, "Command_Exit");
    });
    window.Command1_Click();

    // A plan from a known stand to a target stand, with files named for
    // the region.
    const QString planPrm = work.filePath(QStringLiteral("青森sugi_type1.prm"));
    const QString planPar = work.filePath(QStringLiteral("青森sugi.PAR"));
    QFile::copy(prm, planPrm);
    QFile::copy(par, planPar);
    s.dialogs.Then([&](QDialog& page) {
        ClickOn(page, "Option1");
        ClickOn(page, "Option3");
        Shoot(page, "plan_page1");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        if (auto* list = page.findChild<QListWidget*>(QStringLiteral("List1")))
            list->setCurrentRow(1);
        Shoot(page, "plan_region");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        s.files.Choose(planPrm);
        ClickOn(page, "Command_PRMSet");
        s.files.Choose(planPar);
        ClickOn(page, "Command_PARSet");
        ClickOn(page, "Option2");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        Child<QScrollBar>(page, "HScroll1")->setValue(15);
        Child<QScrollBar>(page, "HScroll3")->setValue(2500);
        Shoot(page, "plan_current_stand");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        Child<QScrollBar>(page, "HScroll1")->setValue(60);
        Child<QScrollBar>(page, "HScroll3")->setValue(700);
        Shoot(page, "plan_target");
        ClickOn(page, "OKButton");
    });
    s.dialogs.Then([&](QDialog& page) {
        Child<QScrollBar>(page, "HScroll1")->setValue(70);
        Child<QScrollBar>(page, "HScroll4")->setValue(16);
        Child<QScrollBar>(page, "HScroll5")->setValue(55);
        Shoot(page, "plan_policy");
        ClickOn(page, "OKButton");
    });
    window.Command2_Click();
    Dialog_Com2DSP* plans = nullptr;
    t.restart();
    while (t.elapsed() < 20000) {
        plans = window.findChild<Dialog_Com2DSP*>();
        if (plans != nullptr && plans->activated()) break;
        Settle(50);
    }
    if (plans == nullptr) return 1;
    ClickOn(*plans, "Option3");
    Shoot(*plans, "plan_result_diagram");
    // A row of the comparison chosen: its plan is shown.
    if (auto* grid = Child<QTableWidget>(*plans, "Grid_Compare")) grid->selectRow(1);
    Shoot(*plans, "plan_comparison");
    ClickOn(*plans, "Command_Next");
    ClickOn(*plans, "Command_Next");
    ClickOn(*plans, "Command_Next");
    Shoot(*plans, "plan_result_graph");
    plans->close();

    // Qt's own file dialog, as the program shows it when saving a picture.
    QFileDialog save(&window, QStringLiteral("画像を保存します"), work.path(),
                     QStringLiteral("BMPファイル(*.bmp)"));
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    ListFilesInJapanese(save);
    save.show();
    Shoot(save, "file_dialog");
    save.close();
    return 0;
}
