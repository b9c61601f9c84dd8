#include "app_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <sstream>

#include "app/services/translations.h"
#include "cli/command_registry.h"

namespace mk::app::test {

namespace {

// The windows need one application object for the whole test program.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "test_app";
            static char* argv[] = {name, nullptr};
            app_ = new QApplication(argc, argv);
            QApplication::setQuitOnLastWindowClosed(false);
            // As the program does at start: Qt's own dialog texts in Japanese.
            InstallJapaneseTranslations();
        }
    }

private:
    QApplication* app_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

void Click(QWidget& window, const char* name) {
    if (auto* button = Find<QAbstractButton>(window, name)) {
        ASSERT_TRUE(button->isEnabled()) << name << " is disabled";
        button->click();
    }
}

namespace {

QWidget* KeyTarget(QWidget& window) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    QWidget* focus = window.focusWidget();
    return focus != nullptr ? focus : &window;
}

}  // namespace

void PressKey(QWidget& window, int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(KeyTarget(window), static_cast<Qt::Key>(key), modifiers);
}

void TypeKeys(QWidget& window, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, KeyTarget(window), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    }
}

std::string FocusName(QWidget& window) {
    QWidget* focus = window.focusWidget();
    return focus != nullptr ? focus->objectName().toStdString() : std::string();
}

void TabTo(QWidget& window, const char* name) {
    for (int i = 0; i < 80; ++i) {
        if (FocusName(window) == name) return;
        PressKey(window, Qt::Key_Tab);
    }
    ADD_FAILURE() << "Tab does not reach " << name << " in " << window.objectName().toStdString();
}

// The window as the user sees it: shown and holding the keyboard, so that
// its Alt letters and Esc work. A window the scripted runner shows from
// inside a key event is not made the active one by the offscreen platform.
void Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window)) << window.objectName().toStdString();
    if (QApplication::activeWindow() != &window) QApplication::setActiveWindow(&window);
}

// Tab to the box, select what it shows, type, and Tab on (which confirms).
void TypeInto(QWidget& window, const char* box, const QString& text) {
    TabTo(window, box);
    PressKey(window, Qt::Key_A, Qt::ControlModifier);
    TypeKeys(window, text);
    PressKey(window, Qt::Key_Tab);
}

// Tab reaches a group of options at its chosen one (or its first), and
// the arrow keys choose within the group, as on any desktop.
void ChooseOption(QWidget& window, const char* name) {
    auto* target = Find<QRadioButton>(window, name);
    if (target == nullptr) return;
    const auto inGroup = [&] {
        auto* focus = qobject_cast<QRadioButton*>(window.focusWidget());
        return focus != nullptr && focus->parentWidget() == target->parentWidget();
    };
    for (int i = 0; i < 80 && !inGroup(); ++i) PressKey(window, Qt::Key_Tab);
    ASSERT_TRUE(inGroup()) << "Tab does not reach the group of " << name;
    for (const int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
        for (int i = 0; i < 4 && window.focusWidget() != target; ++i) PressKey(window, key);
    }
    if (!target->isChecked()) PressKey(window, Qt::Key_Space);
    EXPECT_TRUE(target->isChecked()) << name;
}

void PressButton(QWidget& window, const char* name) {
    TabTo(window, name);
    PressKey(window, Qt::Key_Space);
}

void SetBar(QWidget& window, const char* name, int value) {
    if (auto* bar = Find<QScrollBar>(window, name)) bar->setValue(value);
}

void TypeText(QWidget& window, const char* name, const QString& text) {
    if (auto* box = Find<QLineEdit>(window, name)) box->setText(text);
}

std::string TextOf(QWidget& window, const char* name) {
    QObject* found = window.findChild<QObject*>(QString::fromLatin1(name));
    if (found == nullptr) {
        ADD_FAILURE() << "no control " << name;
        return {};
    }
    if (auto* label = qobject_cast<QLabel*>(found)) return label->text().toStdString();
    if (auto* box = qobject_cast<QLineEdit*>(found)) return box->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(found)) return button->text().toStdString();
    if (auto* widget = qobject_cast<QWidget*>(found)) return widget->windowTitle().toStdString();
    return {};
}

bool IsEnabled(QWidget& window, const char* name) {
    auto* widget = Find<QWidget>(window, name);
    return widget != nullptr && widget->isEnabled();
}

void TriggerMenu(QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    if (action == nullptr) {
        ADD_FAILURE() << "no menu entry " << name;
        return;
    }
    action->trigger();
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

AppFixture::AppFixture() : context(std::make_unique<AppContext>()) {
    context->services = scripted.services();
    namespace fs = std::filesystem;
    const std::string examples = mk::test::SourcePath("examples");
    for (const char* name :
         {"sugi_type1.prm", "sugi_type2.prm", "sugi.PAR", "sugi.HNP", "sugi_survey.dat"}) {
        fs::copy_file(examples + "/" + name, folder.File(name));
    }
    prm = folder.File("sugi_type1.prm");
    prm2 = folder.File("sugi_type2.prm");
    par = folder.File("sugi.PAR");
    hnp = folder.File("sugi.HNP");
    dat = folder.File("sugi_survey.dat");
    // Images of the all-image view go to the current folder.
    savedDirectory = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.path()));
}

AppFixture::~AppFixture() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()) w->close();
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(savedDirectory);
}

std::string LastMessage(const ScriptedServices& s) {
    if (s.messages.shown().empty()) return {};
    return s.messages.shown().back().text;
}

// The file the batch tool writes for the same survey file, fitted in a
// folder of its own.
std::string BatchFit(const std::string& dat, std::vector<std::string> options) {
    mk::test::TempDir other;
    const std::string copy = other.File("sugi_survey.dat");
    std::filesystem::copy_file(dat, copy);
    std::vector<std::string> args{"fit", copy};
    args.insert(args.end(), options.begin(), options.end());
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli(args, out, err), 0) << err.str();
    std::string path = out.str();
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    return mk::test::ReadBytes(path);
}

void QueueYieldWizard(AppFixture& f) {
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
}

void QueueMethod4Run(AppFixture& f, const std::function<void(QDialog&)>& firstPage) {
    f.scripted.dialogs.Then(firstPage);
    f.scripted.dialogs.Then([](QDialog& page) {
        Click(page, "Option4");
        Click(page, "Option7");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
}

}  // namespace mk::app::test
