#pragma once
// The stand of every age of the last run, read by the graphs:
// [age 0..200][series 1..5]. A yield table fills series 1, a stand volume
// table series 1..3 (one per site class), a plan run series 1..5.

namespace mk {

inline constexpr int kMaxAge = 200;
inline constexpr int kSeriesCount = 5;

using AgeSeriesArray = double[kMaxAge + 1][kSeriesCount + 1];

struct ResultArrays {
    AgeSeriesArray PlanHeight{};
    AgeSeriesArray PlanDbh{};
    AgeSeriesArray PlanVolume{};
    AgeSeriesArray PlanRy{};
    AgeSeriesArray PlanSlenderness{};  // H/D as a fraction: 0.80 for 80
    AgeSeriesArray PlanStems{};

    void Clear() { *this = ResultArrays{}; }
};

}  // namespace mk
