#include "core/yield/run_settings.h"

namespace mk {

void ClearRunSettings(RunSettings& settings) { settings = RunSettings{}; }

}  // namespace mk
