#pragma once
// The checks of a yield run record that the wizard's bars cannot make: a
// run must end after the age it starts at, and a thinning schedule must
// follow the stand forward in time. The starting-stand page, the schedule
// page and the batch tool refuse a run with the same words.

#include <string>

#include "core/yield/run_settings.h"

namespace mk {

// Empty when the run can be made; otherwise why not, as the user reads it:
// "計算終了年（50）は現在の林齢（100）より後にしてください。"
std::string EndAgeRefusal(const RunSettings& run);

// Empty when the schedule of methods 1-3 (entries 1..ThinningCount) can be
// followed: every entry after the one before it, and no thinning by age
// after the end year. Any other method has no schedule to check.
std::string ScheduleRefusal(const RunSettings& run);

}  // namespace mk
