// The six thinning methods of a yield run and the bookkeeping of one
// thinning (SUBCALC).

#include <algorithm>
#include <cmath>

#include "core/host/messages.h"
#include "core/model/density_diagram.h"
#include "core/text/number_format.h"
#include "core/yield/table_calc.h"
#include "core/yield/table_calc_internal.h"

namespace mk {

namespace {

// The searches climb back up in steps of 10 stems until a bound is met
// again; a bound that no stand can meet would never be met, so the climb
// gives up here and the thinning is then not made (it would add stems).
constexpr double kSearchCeiling = 100000;

// The coarse searches take 100 stems at a time off the stand down to the
// floor: enough steps to bring a stand at the ceiling down. A stand of far
// more stems than any planting (from parameters outside what the equations
// allow; taking 100 off a large enough number does not even change it)
// cannot be searched, and the run stops there as at any value it cannot
// compute. The other loops end by their own conditions: the climbs at the
// ceiling, the steps of one stem at the floor, which they start from at
// most 10 stems above the ceiling.
constexpr int kMaxCoarseSteps = static_cast<int>(kSearchCeiling / 100);

void ThinBySchedule(YieldState& ws, int a, Messages& messages, double value, bool exactAge) {
    RunWorkingValues& w = ws.Working;
    const int count = std::min(w.ScheduleCount, kScheduleEntries - 1);
    for (int i = 1; i <= count; ++i) {
        const bool due =
            exactAge ? static_cast<double>(a) == w.ScheduleKey[i] : value >= w.ScheduleKey[i];
        if (!due) continue;
        const ThinningBookkeeping before = ws.Thinning;
        detail::Subcalc(ws, 1, a, i, messages, before);
    }
}

void ThinByRate(YieldState& ws, int a, Messages& messages) {
    const ThinningBookkeeping before = ws.Thinning;
    ThinningBookkeeping& t = ws.Thinning;
    const double stems = ws.Years.YearStems[a];
    const double rate = ws.Run.BoundThinningRate;
    t.StemsThinned = stems * rate;
    t.StemsAfter = stems - t.StemsThinned;
    t.StemThinningRate = rate * 100;
    detail::Subcalc(ws, 2, a, 0, messages, before);
}

// False: the search could not reach its bound within its steps.
bool ThinToRy(YieldState& ws, int a, Messages& messages, EventPump& pump) {
    const DensityDiagramParameters& d = ws.Diagram;
    const ThinningBookkeeping before = ws.Thinning;
    ThinningBookkeeping& t = ws.Thinning;
    const double h = ws.Years.YearHeight[a];
    const double stems = ws.Years.YearStems[a];
    const double lower = ws.Working.BoundLower;

    t.RyAfter = ws.Years.YearRy[a];
    t.StemsAfter = stems;
    // Coarse: 100 stems at a time until Ry falls below the lower bound.
    int steps = 0;
    do {
        if (t.RyAfter < lower) break;
        if (++steps > kMaxCoarseSteps) {
            t = before;
            return false;
        }
        pump.Pump();
        t.StemsAfter -= 100;
        if (t.StemsAfter < kStemFloor) t.StemsAfter = kStemFloor;
        if (stems < t.StemsAfter) t.StemsAfter = stems;
        t.RyAfter = detail::RyOr(d, h, t.StemsAfter, t.RyAfter);
    } while (t.StemsAfter != kStemFloor);

    if (t.StemsAfter != kStemFloor) {
        // Fine: back up by 10, then down by 1 to the first stem number at
        // which Ry is below the bound.
        while (t.RyAfter < lower && t.StemsAfter < kSearchCeiling) {
            pump.Pump();
            t.StemsAfter += 10;
            t.RyAfter = detail::RyOr(d, h, t.StemsAfter, t.RyAfter);
        }
        while (t.RyAfter >= lower && t.StemsAfter > kStemFloor) {
            pump.Pump();
            t.StemsAfter -= 1;
            t.RyAfter = detail::RyOr(d, h, t.StemsAfter, t.RyAfter);
        }
    } else {
        messages.Show("収量比数 " + FormatNumber(lower, "0.00") + " まで落せません。",
                      "TABLECALC Case5", MessageIcon::Error, MessageButtons::Ok);
    }
    t.StemsThinned = stems - t.StemsAfter;
    t.StemThinningRate = t.StemsThinned / stems * 100;
    detail::Subcalc(ws, 2, a, 0, messages, before);
    return true;
}

// False: the search could not reach its bound within its steps.
bool ThinToSlenderness(YieldState& ws, int a, Messages& messages, EventPump& pump) {
    const DensityDiagramParameters& d = ws.Diagram;
    const ThinningBookkeeping before = ws.Thinning;
    ThinningBookkeeping& t = ws.Thinning;
    double& slenderness = ws.Years.YearSlenderness[a];
    const double slendernessBefore = slenderness;
    const double h = ws.Years.YearHeight[a];
    const double stems = ws.Years.YearStems[a];
    const double lower = ws.Working.BoundLower;

    t.StemsAfter = stems;
    int steps = 0;
    while (slenderness >= lower) {
        if (++steps > kMaxCoarseSteps) {
            t = before;
            slenderness = slendernessBefore;
            return false;
        }
        pump.Pump();
        t.StemsAfter -= 100;
        if (t.StemsAfter < kStemFloor) t.StemsAfter = kStemFloor;
        if (stems < t.StemsAfter) t.StemsAfter = stems;
        t.RyAfter = detail::RyOr(d, h, t.StemsAfter, t.RyAfter);
        if (t.StemsAfter == kStemFloor || t.RyAfter < 0.3) break;
        slenderness = h / MeanDbh(d, h, t.StemsAfter);
    }

    if (t.StemsAfter != kStemFloor || t.RyAfter >= 0.3) {
        while (slenderness < lower && t.StemsAfter < kSearchCeiling) {
            pump.Pump();
            t.StemsAfter += 10;
            slenderness = h / MeanDbh(d, h, t.StemsAfter);
        }
        // Never below the floor that every thinning keeps.
        while (slenderness >= lower && t.StemsAfter > kStemFloor) {
            pump.Pump();
            t.StemsAfter -= 1;
            if (t.StemsAfter < kStemFloor) t.StemsAfter = kStemFloor;
            slenderness = h / MeanDbh(d, h, t.StemsAfter);
        }
    } else {
        messages.Show("形状比 " + FormatNumber(lower * 100, "0") + " まで落せません。",
                      "TABLECALC Case6", MessageIcon::Error, MessageButtons::Ok);
    }
    t.StemsThinned = stems - t.StemsAfter;
    t.StemThinningRate = t.StemsThinned / stems * 100;
    if (!detail::Subcalc(ws, 2, a, 0, messages, before)) slenderness = slendernessBefore;
    return true;
}

}  // namespace

namespace detail {

bool Subcalc(YieldState& ws, int kind, int age, int thinningNumber, Messages& messages,
             const ThinningBookkeeping& before) {
    const DensityDiagramParameters& d = ws.Diagram;
    const YearArrays& y = ws.Years;
    ThinningBookkeeping& t = ws.Thinning;
    const double h = y.YearHeight[age];
    const double stems = y.YearStems[age];

    if (kind == 1) {
        const double rate = ws.Working.ScheduleRate[thinningNumber];
        t.StemsThinned = rate * stems;
        t.StemsAfter = stems - t.StemsThinned;
        t.StemThinningRate = rate * 100;
        ws.Working.ScheduleKey[thinningNumber] = 10000;
    }
    if (t.StemsAfter < kStemFloor) {
        messages.Show("間伐率 " + GeneralNumber(t.StemThinningRate) + "％まで落せません。",
                      "SUBCALC", MessageIcon::Error, MessageButtons::Ok);
        t.StemsAfter = stems < kStemFloor ? stems : kStemFloor;
        t.StemsThinned = stems - t.StemsAfter;
        t.StemThinningRate = t.StemsThinned * 100 / stems;
    }
    if (!(t.StemsThinned > 0)) {
        // Nothing to remove: no thinning this year, the stand as it was.
        t = before;
        return false;
    }

    ws.Working.ThinnedThisYear = true;
    ws.Working.OnFullDensityLine = false;

    t.VolumeAfter = StandVolume(d, h, t.StemsAfter);
    t.VolumeThinned = y.YearVolume[age] - t.VolumeAfter;
    t.VolumeThinningRate = std::floor(t.VolumeThinned / y.YearVolume[age] * 100 + 0.5);
    t.CumulativeThinnedVolume += t.VolumeThinned;

    t.BasalAreaAfter = BasalArea(d, h, t.StemsAfter);
    t.BasalAreaThinned = t.BasalAreaBefore - t.BasalAreaAfter;

    t.DbhAfter = MeanDbh(d, h, t.StemsAfter);
    t.ThinnedDbh = (y.YearDbh[age] * stems - t.StemsAfter * t.DbhAfter) / t.StemsThinned;

    if (auto ry = YieldIndex(d, h, t.StemsAfter)) t.RyAfter = *ry;
    return true;
}

bool ThinningDecision(YieldState& ws, int a, Messages& messages, EventPump& pump) {
    const RunWorkingValues& w = ws.Working;
    const YearArrays& y = ws.Years;
    const bool inWindow = w.NextThinAfterAge < a && a < w.ThinBeforeAge;
    switch (ws.Run.ThinningMethod) {
        case 1:
            ThinBySchedule(ws, a, messages, 0, true);
            break;
        case 2:
            ThinBySchedule(ws, a, messages, y.YearHeight[a], false);
            break;
        case 3:
            ThinBySchedule(ws, a, messages, y.YearDbh[a], false);
            break;
        case 4:
            if (inWindow && y.YearRy[a] >= w.BoundUpper) ThinByRate(ws, a, messages);
            break;
        case 5:
            // A stand already at the floor has nothing a search could remove.
            if (inWindow && y.YearRy[a] >= w.BoundUpper && y.YearStems[a] > kStemFloor) {
                return ThinToRy(ws, a, messages, pump);
            }
            break;
        case 6:
            if (inWindow && y.YearVolume[a] > 40 && y.YearSlenderness[a] >= w.BoundUpper &&
                y.YearStems[a] > kStemFloor) {
                return ThinToSlenderness(ws, a, messages, pump);
            }
            break;
        default:
            break;
    }
    return true;
}

}  // namespace detail

bool SUBCALC(YieldState& ws, int kind, int age, int thinningNumber, Messages& messages) {
    const ThinningBookkeeping before = ws.Thinning;
    return detail::Subcalc(ws, kind, age, thinningNumber, messages, before);
}

}  // namespace mk
