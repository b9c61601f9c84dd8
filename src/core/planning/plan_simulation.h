#pragma once
// The five alternative plans of a planning request: plan k reaches its
// goal in at most k thinnings, deciding year by year whether to thin and
// how many stems to remove. Each plan writes its table into the open plan
// table, draws its trajectory on its own picture and leaves its stand of
// every age in column k of the result arrays.
//
// A plan window calls, in order: PreparePlanRun and PlanTableFileName +
// OpenPlanTable when it loads (closing at once on an empty name), then on
// its first activation DrawDensityDiagram on the five pictures, RunPlans
// and ClosePlanTable. RunPlanTable does all of it for the batch tool.

#include <array>
#include <functional>
#include <string>

namespace mk {

class Canvas;
class EventPump;
class Messages;
struct PlanningState;

inline constexpr int kPlanCount = 5;

// What a plan window shows while the plans run: which plan starts and
// ends, and the age label of the running plan ("　林　齢　＝　" + age).
struct PlanRunCallbacks {
    std::function<void(int plan)> planStarting;
    std::function<void(int plan, const std::string& caption)> ageLabel;
    std::function<void(int plan)> planFinished;
};

// The plan window's preparation when it opens: the policy values into the
// plan working values, and RunSettings.CurrentAge = StartAge.
void PreparePlanRun(PlanningState& workspace);

// A plan can only be run on a diagram of type 1 or 2; otherwise the
// refusal is shown (titled "TABLECALC2") and false returned.
bool PlanDiagramTypeValid(const PlanningState& workspace, Messages& messages);

// The per-plan values at the start of plan k: the curve of the starting
// stand, the first thinning, the thinning window and StepRatio.
void StartPlan(PlanningState& workspace, int plan);

// RyAfter = Ry(H(age), StemsAfter), left as it was for a diagram type
// other than 1 or 2.
void ComputeRyAfter(PlanningState& workspace, int age);

// The bookkeeping of a thinning at age in a forward plan, given StemsAfter
// and StemThinningRate. Below 150 stems the message is shown and the
// thinning goes to 150 stems (or none when the stand holds fewer). A
// thinning that would remove nothing is not made: the bookkeeping values
// are restored and false is returned.
bool SUBCALC2(PlanningState& workspace, int age, Messages& messages);

// The bookkeeping of a thinning in a backward plan: YearStems[age] already
// holds the stand before the thinning and StemsAfter the thinned stand the
// run had reached; the volume, basal area and DBH of the year are raised
// to the stand before the thinning.
void ReverseThinStep(PlanningState& workspace, int age);

// One plan (workspace.PlanWorking.PlanThinnings) from StartAge to EndAge.
void TABLECALC2(PlanningState& workspace, Canvas& picture,
                const std::function<void(const std::string&)>& ageLabel, Messages& messages,
                EventPump& pump);

// Plans 1 to 5, each on its own picture, into the open plan table. False
// (nothing run, the plan table discarded) for a diagram type other than 1
// or 2.
bool RunPlans(PlanningState& workspace, const std::array<Canvas*, kPlanCount>& pictures,
              const PlanRunCallbacks& callbacks, Messages& messages, EventPump& pump);

// The whole job of a plan window without the window: prepare, check the
// diagram type, take a free name, run the five plans and save the table.
// Returns the path written, or empty when nothing was written.
std::string RunPlanTable(PlanningState& workspace, const std::array<Canvas*, kPlanCount>& pictures,
                         const PlanRunCallbacks& callbacks, Messages& messages, EventPump& pump);

}  // namespace mk
