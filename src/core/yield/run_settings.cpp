#include "core/yield/run_settings.h"

namespace mk {

void ClearRunSettings(RunSettings& settings) { settings = RunSettings{}; }

void ClearThinningChoices(RunSettings& settings) {
    settings.ThinningCount = 0;
    for (int i = 0; i < kThinningEntries; ++i) {
        settings.ThinningKey[i] = 0;
        settings.ThinningRate[i] = 0;
    }
    settings.RyTarget = settings.BoundThinningRate = 0;
    settings.RyUpper = settings.RyLower = 0;
    settings.SlendernessUpper = settings.SlendernessLower = 0;
    settings.ThinningFromAge = settings.ThinningToAge = 0;
}

}  // namespace mk
