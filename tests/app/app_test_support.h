#pragma once
// Driving the windows as a user would: controls found by their names,
// clicks, bars moved, modal windows answered by scripts.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/services/scripted_services.h"
#include "support/test_files.h"

namespace mk::app::test {

// A control of the window by its name; the test fails when there is none.
template <typename T>
T* Find(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        ADD_FAILURE() << "no control " << name << " in " << window.objectName().toStdString();
    }
    return found;
}

void Click(QWidget& window, const char* name);
void SetBar(QWidget& window, const char* name, int value);
void TypeText(QWidget& window, const char* name, const QString& text);
std::string TextOf(QWidget& window, const char* name);
bool IsEnabled(QWidget& window, const char* name);
// Triggers a menu entry (a QAction) by its name.
void TriggerMenu(QWidget& window, const char* name);

// The keyboard alone: each key goes where a real one would, to an open
// menu or else to the control that has the focus in the window.
void PressKey(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types text key by key into the control that has the focus (the first
// key replaces a selected text, as typing does).
void TypeKeys(QWidget& window, const QString& text);
// Presses Tab until the control named has the focus; the test fails when
// Tab goes round the window without reaching it.
void TabTo(QWidget& window, const char* name);
// The name of the control that has the focus in the window.
std::string FocusName(QWidget& window);
// The window shown and holding the keyboard, so that its Alt letters and
// Esc work.
void Activate(QWidget& window);
// Tab to a button and press it with Space.
void PressButton(QWidget& window, const char* name);
// Tab to a group of options and choose the one named with the arrow keys.
void ChooseOption(QWidget& window, const char* name);
// Tab to a box, select what it shows, type the text and Tab on.
void TypeInto(QWidget& window, const char* box, const QString& text);

// Processes events until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 20000);

// A fresh application context wired to scripted services.
struct AppFixture {
    AppFixture();
    ~AppFixture();
    ScriptedServices scripted;
    std::unique_ptr<AppContext> context;
    // A copy of the example files in a folder of its own, so the tables the
    // tests make land there.
    mk::test::TempDir folder;
    std::string prm, prm2, par, hnp, dat;
    QString savedDirectory;
};

// The text of the last message shown, or empty.
std::string LastMessage(const ScriptedServices& s);

// The parameter file the batch tool fits from a copy of the survey file in
// a folder of its own, with these options ("--curve", "site").
std::string BatchFit(const std::string& dat, std::vector<std::string> options);

// Queues the yield wizard's answers for a method 4 run from a 3000-stem
// planting to age 60 with the fixture's example files.
void QueueYieldWizard(AppFixture& f);

// Queues the yield wizard's answers for a method 4 run (Ry 0.80) whose
// remaining pages keep what they propose; firstPage answers the page of the
// files and the start.
void QueueMethod4Run(AppFixture& f, const std::function<void(QDialog&)>& firstPage);

}  // namespace mk::app::test
