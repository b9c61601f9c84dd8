#pragma once
// The record of one planning request, filled page by page by the planning
// wizard (or by a run file), and the values the five plan runs work with.

#include <string>

namespace mk {

struct PlanSettings {
    int PageCount = 1;  // 5 when the state is unknown and the target decided, else 6
    int PageNumber = 1;
    int StandStateKnown = 0;   // 1 わかっている, 2 わからない
    int TargetDecided = 0;     // 1 決まっている, 2 決まっていない
    int RegionNumber = -1;     // list position 1..47
    std::string RegionPrefix;  // first two characters of the prefecture's name
    int StartAge = 0;
    double StartStemNumber = 0;
    double StartStemNumberShown = 0;
    int EndAge = 0;
    double StartPlantingDensity = 0;
    double TargetStemNumber = 0;
    double TargetPlantingDensity = 0;
    double TargetHeight = 0;
    double TargetDbh = 0;
    double TargetVolume = 0;
    double TargetRy = 0;
    double TargetSlenderness = 0;  // H/D x 100
    int ThinStartAge = 0;          // 間伐開始林齢
    int ThinFromAge = 0;           // 間伐開始林齢 - 1
    int ThinToAge = 0;             // 間伐終了林齢 + 1
    int IntervalLessOne = 0;       // 最低間伐間隔 - 1
    double RyLimit = 0;
    double RyStep = 0;            // 0 when the policy page disables it
    double SlendernessLimit = 0;  // H/D (0.80 for 80); 0 when disabled
};

// Every field back to its initial value (RegionNumber -1, the page counts 1,
// everything else 0 or empty).
void ClearPlanSettings(PlanSettings& settings);

// How a plan is worked out, from what is known of the stand and the target.
enum class PlanMode {
    None,      // state unknown and no target: refused by the wizard
    Forward,   // A: state known, target decided; geometric steps to the target curve
    Policy,    // B: state known, no target; lower Ry by RyStep at each thinning
    Backward,  // C: state unknown, target decided; years run back from the target
};

PlanMode PlanModeOf(const PlanSettings& settings);

// The values a plan run reads and changes. RunPlans resets the per-plan
// ones before each plan; the policy ones are copied from PlanSettings by
// PreparePlanWorkingValues.
struct PlanWorkingValues {
    int PlanThinnings = 0;   // plan number k = most thinnings of the plan
    double StepRatio = 0;    // (TargetPlantingDensity / StartStemNumber)^(1/k)
    int ThinningNumber = 0;  // number of the next thinning of the running plan
    double CurvePlantingDensity = 0;
    int NextThinAfterAge = 0;  // thinning only at an age above this
    int ThinBeforeAge = 0;     // and below this
    double RyLimit = 0;
    double SlendernessLimit = 0;
    int IntervalLessOne = 0;
    bool OnFullDensityLine = false;
    bool ThinnedThisYear = false;
};

// The policy values a plan window copies when it opens: ThinBeforeAge =
// ThinToAge, the Ry limit, the slenderness limit and the interval.
void PreparePlanWorkingValues(const PlanSettings& settings, PlanWorkingValues& working);

}  // namespace mk
