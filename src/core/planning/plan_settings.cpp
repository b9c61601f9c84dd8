#include "core/planning/plan_settings.h"

namespace mk {

void ClearPlanSettings(PlanSettings& settings) { settings = PlanSettings{}; }

PlanMode PlanModeOf(const PlanSettings& settings) {
    const bool known = settings.StandStateKnown == 1;
    const bool unknown = settings.StandStateKnown == 2;
    if (known && settings.TargetDecided == 1) return PlanMode::Forward;
    if (known && settings.TargetDecided == 2) return PlanMode::Policy;
    if (unknown && settings.TargetDecided == 1) return PlanMode::Backward;
    return PlanMode::None;
}

void PreparePlanWorkingValues(const PlanSettings& settings, PlanWorkingValues& working) {
    working.ThinBeforeAge = settings.ThinToAge;
    working.RyLimit = settings.RyLimit;
    working.SlendernessLimit = settings.SlendernessLimit;
    working.IntervalLessOne = settings.IntervalLessOne;
}

}  // namespace mk
