#pragma once
// Saving a fitted curve: a PAR file for the site curve, an HNP file for the
// stem curve, under the first free name next to the survey file.

#include <string>

#include "core/basedata/curve_fitting.h"

namespace mk {

class Messages;

// The file text (UTF-8, CR LF) of a fitted curve; chosen marks the curve
// that an automatic selection kept.
std::string CurveParameterText(CurveMode mode, const std::string& surveyFileName,
                               const FitResult& fit, bool chosen);

// Writes the fitted curve of the survey file datPath into the first free
// "YIELD_xx.PAR" or "YIELD_xx.HNP" of its folder. Returns the path written,
// or empty when no name was free or the file could not be written (both
// reported through messages).
std::string WriteCurveParameterFile(CurveMode mode, const std::string& datPath,
                                    const FitResult& fit, bool chosen, Messages& messages);

}  // namespace mk
