#pragma once
// Shows modal windows. The program's windows never call exec() themselves:
// a test answers a modal window in place of the user through this seam.

class QDialog;

namespace mk::app {

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Shows the window modally and returns when it has closed.
    virtual void Run(QDialog& dialog) = 0;
};

class QtDialogRunner final : public DialogRunner {
public:
    void Run(QDialog& dialog) override;
};

}  // namespace mk::app
