#pragma once
// Stand-ins for the user and the platform, for tests that drive the windows:
// file dialogs answered from a script, modal windows handled by a script,
// settings in memory, external programs recorded instead of started.

#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "app/services/app_services.h"
#include "core/host/recording_messages.h"

namespace mk::app {

class ScriptedFileDialogs final : public FileDialogs {
public:
    // Next answers, in order; once used up every dialog is cancelled.
    void Choose(const QString& path) { answers_.push_back({false, path}); }
    void Cancel() { answers_.push_back({true, QString()}); }

    std::optional<QString> Open(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> Save(QWidget* parent, const FileDialogRequest& request) override;

    const std::vector<FileDialogRequest>& requests() const { return requests_; }

private:
    std::optional<QString> Next(const FileDialogRequest& request);
    struct Answer {
        bool cancelled = true;
        QString path;
    };
    std::deque<Answer> answers_;
    std::vector<FileDialogRequest> requests_;
};

// Each modal window shown is handed, visible, to the next script; the script
// acts as the user (clicks, moves bars) and should close the window. A
// window still open after its script (or with no script left) is closed as
// with its close button.
class ScriptedDialogRunner final : public DialogRunner {
public:
    using Script = std::function<void(QDialog&)>;
    void Then(Script script) { scripts_.push_back(std::move(script)); }
    void Run(QDialog& dialog) override;

    const QStringList& shownWindows() const { return shown_; }
    std::size_t pending() const { return scripts_.size(); }

private:
    std::deque<Script> scripts_;
    QStringList shown_;
};

class MemorySettingsStore final : public SettingsStore {
public:
    QString Read(const QString& group, const QString& key) override;
    void Write(const QString& group, const QString& key, const QString& value) override;
    QMap<QString, QString> values;  // "group/key" -> value
};

struct StartedProcess {
    QString program;
    QStringList arguments;
};

class RecordingProcessStarter final : public ProcessStarter {
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override;
    std::vector<StartedProcess> started;
    bool succeed = true;
};

// Prints to a PDF file (A4) instead of a printer, or cancels like a user
// closing the print dialog.
class PdfFileReportPrinter final : public ReportPrinter {
public:
    bool Print(QWidget* parent, const QString& title, const PagePainter& paint) override;
    QString path;        // where the pages go; empty: the dialog is cancelled
    QStringList titles;  // every document asked for
    int pages = 0;       // pages of the last document printed
};

// One of each, wired into an AppServices.
struct ScriptedServices {
    RecordingMessages messages;
    ScriptedFileDialogs files;
    ScriptedDialogRunner dialogs;
    MemorySettingsStore settings;
    RecordingProcessStarter processes;
    NullEventPump pump;
    PdfFileReportPrinter printer;

    AppServices services() {
        return AppServices{&messages, &files, &dialogs, &settings, &processes, &pump, &printer};
    }
};

}  // namespace mk::app
