#include "core/yield/run_checks.h"

#include "core/text/number_format.h"

namespace mk {

namespace {

// The key of a schedule entry as the schedule page shows it.
std::string KeyText(const RunSettings& run, double key) {
    return FormatNumber(key, run.ThinningMethod == 1 ? "0" : "0.0");
}

const char* KeyName(int method) {
    if (method == 2) return "上層樹高";
    if (method == 3) return "胸高直径";
    return "林齢";
}

}  // namespace

std::string EndAgeRefusal(const RunSettings& run) {
    // A run from planting starts at age 1.
    const int first = run.StemSettingMethod == 1 ? 1 : run.CurrentAge;
    if (run.EndAge > first) return {};
    return "計算終了年（" + IntText(run.EndAge) + "）は現在の林齢（" + IntText(first) +
           "）より後にしてください。";
}

std::string ScheduleRefusal(const RunSettings& run) {
    const int method = run.ThinningMethod;
    if (method < 1 || method > 3) return {};
    const std::string name = KeyName(method);
    // Later thinnings by age, height or diameter come later in the stand's
    // life; one that does not is never reached once the one before is made.
    for (int j = 2; j <= run.ThinningCount && j < kThinningEntries; ++j) {
        if (run.ThinningKey[j] > run.ThinningKey[j - 1]) continue;
        return IntText(j) + "回目間伐の" + name + "（" + KeyText(run, run.ThinningKey[j]) + "）は" +
               IntText(j - 1) + "回目間伐の" + name + "（" + KeyText(run, run.ThinningKey[j - 1]) +
               "）より大きくしてください。";
    }
    if (method != 1) return {};
    for (int j = 1; j <= run.ThinningCount && j < kThinningEntries; ++j) {
        if (run.ThinningKey[j] <= run.EndAge) continue;
        return IntText(j) + "回目間伐の林齢（" + KeyText(run, run.ThinningKey[j]) +
               "）が計算終了年（" + IntText(run.EndAge) + "）より後です。";
    }
    return {};
}

}  // namespace mk
