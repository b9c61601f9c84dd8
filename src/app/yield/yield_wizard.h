#pragma once
// The page sequence of the yield prediction wizard: files and site class,
// methods, starting stand, then the schedule (methods 1-3) or the bounds
// (methods 4-6). Each page is made afresh when shown and rebuilds itself
// from RunSettings, so going back shows what was chosen.

#include "app/app_context.h"

class QWidget;

namespace mk::app {

// True when the last page finished; RunSettings then holds the whole run.
bool RunYieldWizard(AppContext& context, QWidget* parent);

}  // namespace mk::app
