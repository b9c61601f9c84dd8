#include "app/services/app_services.h"

#include "app/services/qt_messages.h"

namespace mk::app {

AppServices ToolkitServices() {
    static QtMessages messages;
    static QtSettingsStore settings;
    static QtFileDialogs files(&settings);
    static QtDialogRunner dialogs;
    static QtProcessStarter processes;
    static QtEventPump pump;
    static QtReportPrinter printer;
    return AppServices{&messages, &files, &dialogs, &settings, &processes, &pump, &printer};
}

}  // namespace mk::app
