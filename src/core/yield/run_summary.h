#pragma once
// The texts that describe a run on the wizard's pages and in its final
// confirmation. Lines break with CR LF.

#include <string>

#include "core/yield/run_settings.h"

namespace mk {

// Files, site class and thinning method.
std::string RunSummaryFiles(const RunSettings& run, const CurrentStandState& stand);
// The current stand as page 3 computed it.
std::string RunSummaryCurrentStand(const CurrentStandState& stand);
// The thinning schedule of methods 1-3.
std::string RunSummarySchedule(const RunSettings& run);
// Everything, as the confirmation shows it.
std::string RunSummary(const RunSettings& run, const CurrentStandState& stand);

}  // namespace mk
