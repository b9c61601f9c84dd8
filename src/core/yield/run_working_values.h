#pragma once
// The values a yield run works with, copied from RunSettings when the result
// window loads and changed by the run itself (used schedule keys, the curve
// density after a thinning, the full-density and thinning flags).

namespace mk {

inline constexpr int kScheduleEntries = 21;  // entries 0..20

struct RunWorkingValues {
    double CurvePlantingDensity = 0;
    int ScheduleCount = 0;
    double ScheduleKey[kScheduleEntries]{};
    double ScheduleRate[kScheduleEntries]{};
    int NextThinAfterAge = 0;
    int ThinBeforeAge = 0;
    double BoundUpper = 0;
    double BoundLower = 0;
    bool OnFullDensityLine = false;
    bool ThinnedThisYear = false;
};

}  // namespace mk
