#pragma once
// The file dialog for survey data (DAT) files, shared by the editor, the
// data check and the curve window.

#include <QString>

#include "app/app_context.h"

class QWidget;

namespace mk::app {

enum class SurveyDialogMode { Open, SaveAs };

// The chosen path, or empty when cancelled (an open dialog that gives back
// its unchanged starting name counts as cancelled). The save-as dialog
// starts at currentPath, or at the first free name of the current folder.
QString AskSurveyFile(AppContext& context, QWidget* parent, SurveyDialogMode mode,
                      const QString& currentPath = QString());

}  // namespace mk::app
