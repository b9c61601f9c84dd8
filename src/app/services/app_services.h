#pragma once
// Everything through which the windows reach the user and the platform:
// message boxes, file dialogs, modal windows, settings, external programs.
// The program hands the toolkit's versions to its windows; tests hand
// scripted ones.

#include "app/services/dialog_runner.h"
#include "app/services/file_dialogs.h"
#include "app/services/process_starter.h"
#include "app/services/report_printer.h"
#include "app/services/settings_store.h"
#include "core/host/messages.h"

namespace mk::app {

struct AppServices {
    Messages* messages = nullptr;
    FileDialogs* files = nullptr;
    DialogRunner* dialogs = nullptr;
    SettingsStore* settings = nullptr;
    ProcessStarter* processes = nullptr;
    EventPump* pump = nullptr;
    ReportPrinter* printer = nullptr;
};

// The toolkit's services, alive for the whole process.
AppServices ToolkitServices();

}  // namespace mk::app
