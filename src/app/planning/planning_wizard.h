#pragma once
// The page sequence of the planning wizard: stand state and target, region,
// parameter files and site class, the current stand (when it is known),
// the target stand or the end age, and the thinning policy. Each page is
// made afresh when shown and rebuilds itself from RunSettings and
// PlanSettings, so going back shows what was chosen.

#include <QString>

#include "app/app_context.h"

class QWidget;

namespace mk::app {

// True when the policy page finished; PlanSettings then holds the request.
bool RunPlanningWizard(AppContext& context, QWidget* parent);

// "収穫予測－パラメータ設定(" + page number + "/" + page count + ")".
QString PlanPageCaption(const PlanSettings& plan);

}  // namespace mk::app
