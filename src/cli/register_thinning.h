#pragma once
// The thinning a forest register row takes from a run file: its method and
// its schedule or bounds, checked as the register command checks them.

#include <string>

#include "core/yield/run_settings.h"

namespace mk::cli {

// False, with the run file's error (file, line, reason), when the file does
// not read or its thinning cannot be used.
bool LoadRegisterThinning(const std::string& path, RunSettings& thinning, std::string& error);

}  // namespace mk::cli
