#pragma once
// What the five-plan simulation works on: everything a yield run has (the
// plans reuse its parameter sets, per-age arrays and result arrays) plus the
// planning records.

#include "core/planning/plan_settings.h"
#include "core/yield/yield_state.h"

namespace mk {

struct PlanningState : YieldState {
    PlanSettings Plan;
    PlanWorkingValues PlanWorking;
};

}  // namespace mk
