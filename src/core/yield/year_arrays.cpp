#include "core/yield/year_arrays.h"

namespace mk {

void CopyToResultSeries(const YearArrays& years, ResultArrays& results, int series) {
    for (int age = 0; age <= kMaxAge; ++age) {
        results.PlanHeight[age][series] = years.YearHeight[age];
        results.PlanDbh[age][series] = years.YearDbh[age];
        results.PlanVolume[age][series] = years.YearVolume[age];
        results.PlanRy[age][series] = years.YearRy[age];
        results.PlanSlenderness[age][series] = years.YearSlenderness[age];
        results.PlanStems[age][series] = years.YearStems[age];
    }
}

}  // namespace mk
