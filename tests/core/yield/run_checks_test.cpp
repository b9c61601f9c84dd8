// The refusals of a yield run that the wizard pages and the batch tool
// share: an end year not after the starting age, and a thinning schedule
// that goes back in time or past the end year.

#include "core/yield/run_checks.h"

#include <gtest/gtest.h>

#include <vector>

namespace mk::test {
namespace {

TEST(RunChecks, EndYearMustComeAfterTheStartingAge) {
    struct Case {
        int stemMethod, currentAge, endAge;
        const char* refusal;
    };
    const Case cases[] = {
        {2, 100, 50, "計算終了年（50）は現在の林齢（100）より後にしてください。"},
        {2, 60, 60, "計算終了年（60）は現在の林齢（60）より後にしてください。"},
        {2, 60, 61, ""},
        // A planting starts at age 1, whatever the record holds.
        {1, 0, 50, ""},
        {1, 0, 1, "計算終了年（1）は現在の林齢（1）より後にしてください。"},
    };
    for (const Case& c : cases) {
        RunSettings run;
        run.StemSettingMethod = c.stemMethod;
        run.CurrentAge = c.currentAge;
        run.EndAge = c.endAge;
        EXPECT_EQ(EndAgeRefusal(run), c.refusal) << c.currentAge << "/" << c.endAge;
    }
}

TEST(RunChecks, ScheduleMustGoForwardAndEndInTime) {
    struct Case {
        int method;
        std::vector<double> keys;
        const char* refusal;
    };
    const Case cases[] = {
        {1, {15, 25, 35}, ""},
        {1, {15, 8}, "2回目間伐の林齢（8）は1回目間伐の林齢（15）より大きくしてください。"},
        {1, {15, 15}, "2回目間伐の林齢（15）は1回目間伐の林齢（15）より大きくしてください。"},
        {1, {15, 80}, ""},
        {1, {15, 81}, "2回目間伐の林齢（81）が計算終了年（80）より後です。"},
        {2,
         {12.5, 12.0},
         "2回目間伐の上層樹高（12.0）は1回目間伐の上層樹高（12.5）より大きくしてください。"},
        {3,
         {18, 26, 24},
         "3回目間伐の胸高直径（24.0）は2回目間伐の胸高直径（26.0）より大きくしてください。"},
        // Heights and diameters are not ages: the end year does not bound them.
        {2, {9, 95}, ""},
        // Methods 4-6 have no schedule; an empty schedule is always fine.
        {4, {20, 10}, ""},
        {1, {}, ""},
    };
    for (const Case& c : cases) {
        RunSettings run;
        run.ThinningMethod = c.method;
        run.EndAge = 80;
        run.ThinningCount = static_cast<int>(c.keys.size());
        for (std::size_t i = 0; i < c.keys.size(); ++i) run.ThinningKey[i + 1] = c.keys[i];
        EXPECT_EQ(ScheduleRefusal(run), c.refusal) << c.method << " " << c.keys.size();
    }
}

}  // namespace
}  // namespace mk::test
