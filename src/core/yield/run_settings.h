#pragma once
// The record of one yield prediction or stand volume run, filled page by
// page by the wizard (or by a run file), and the current stand the wizard
// computes for a run that starts from a stand as it is now.

#include <string>

namespace mk {

inline constexpr int kThinningEntries = 12;  // entries 0..11; entry 0 unused

struct RunSettings {
    std::string PrmFileName;
    std::string ParFileName;
    int SiteClass = 0;          // 1 上, 2 中, 3 下, 4 不明
    int ThinningMethod = 0;     // 1..6
    int StemSettingMethod = 0;  // 1 from planting, 2 from the current stand
    double SiteCurveScale = 0;
    double PlantingStemNumber = 0;
    int CurrentAge = 0;
    int CurrentStemNumber = 0;
    int EndAge = 0;
    int ThinningCount = 0;  // 0..11
    // Entry i (1..ThinningCount): age, dominant height (m) or mean DBH (cm)
    // of the i-th scheduled thinning, by method 1, 2, 3.
    double ThinningKey[kThinningEntries]{};
    // Entry i: fraction of the stems removed by the i-th thinning.
    double ThinningRate[kThinningEntries]{};
    double RyTarget = 0;
    double BoundThinningRate = 0;
    double RyUpper = 0;
    double RyLower = 0;
    double SlendernessUpper = 0;  // H/D, 0.80 for 80
    double SlendernessLower = 0;
    int ThinningFromAge = 0;  // first thinning age - 1
    int ThinningToAge = 0;    // last thinning age + 1
};

// Empties both names and sets every number and every list entry to 0.
void ClearRunSettings(RunSettings& settings);

// Sets to 0 what the last wizard page chose for a thinning method: the
// schedule of methods 1-3, the bounds of methods 4-6 and the thinning ages.
void ClearThinningChoices(RunSettings& settings);

struct CurrentStandState {
    std::string SiteText;  // site class text once a site class was calculated
    int SiteCalcAge = 0;
    double SiteCalcHeight = 0;
    double CurrentBasalArea = 0;
    double CurrentDbh = 0;
    double CurrentHeight = 0;
    double CurrentPlantingDensity = 0;  // a whole number
    double CurrentRy = 0;
    double CurrentSlenderness = 0;  // H/D x 100
    double CurrentVolume = 0;
};

}  // namespace mk
