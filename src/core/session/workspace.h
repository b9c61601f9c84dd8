#pragma once
// Everything a session of the program keeps while it runs: the state of the
// simulations (PlanningState holds the yield state and the planning records)
// and the flags that keep the windows from stepping on one another. One
// Workspace is owned by the application (and by each test or batch run);
// the core functions take the parts they need.

#include "core/planning/planning_state.h"

namespace mk {

struct WindowFlags {
    int OpenResultWindow = 0;  // 0 none, 3 yield table, 4 stand volume table
    int PlanWindowOpen = 0;    // 0 none, 2 open
    int AllImageViewOpen = 0;  // -1 while the all-image view is open
    int ResultMode = 0;        // 0 yield table, 1 stand volume table
    int WizardResult = 0;      // 0 cancelled, 1 next / finished, 2 back
};

struct Workspace : PlanningState {
    WindowFlags Flags;
};

}  // namespace mk
