#include "app/services/dialog_runner.h"

#include <QDialog>

namespace mk::app {

void QtDialogRunner::Run(QDialog& dialog) { dialog.exec(); }

}  // namespace mk::app
