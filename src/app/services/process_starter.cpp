#include "app/services/process_starter.h"

#include <QProcess>

namespace mk::app {

QStringList SplitArguments(const QString& text) { return QProcess::splitCommand(text); }

bool QtProcessStarter::StartDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

}  // namespace mk::app
