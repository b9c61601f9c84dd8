#include "core/basedata/parameter_files.h"

#include <algorithm>
#include <cmath>

#include "core/model/par_hnp_layout.h"
#include "core/text/file_errors.h"
#include "core/text/paths.h"
#include "core/text/text_file.h"

namespace mk {

std::string CurveParameterText(CurveMode mode, const std::string& surveyFileName,
                               const FitResult& fit, bool chosen) {
    const CurveParameters& p = fit.para;
    if (mode == CurveMode::SiteCurve)
        return ParFileText(surveyFileName, fit.code, chosen, p[0], p[1], p[2], fit.bandCoefficient,
                           fit.bestSS);
    return HnpFileText(surveyFileName, p[0], p[1], p[2], p[3], fit.bestSS);
}

std::string WriteCurveParameterFile(CurveMode mode, const std::string& datPath,
                                    const FitResult& fit, bool chosen, Messages& messages) {
    const char* suffix = mode == CurveMode::SiteCurve ? ".PAR" : ".HNP";
    const std::string chosenPath = MakeSaveName(FolderPart(datPath), suffix, messages);
    if (chosenPath.empty()) return chosenPath;
    // A parameter that is not a number would make a file no reader takes.
    const bool site = mode == CurveMode::SiteCurve;
    const auto used = fit.para.begin() + (site ? 3 : 4);
    const bool allFinite =
        std::all_of(fit.para.begin(), used, [](double v) { return std::isfinite(v); }) &&
        (!site || std::isfinite(fit.bandCoefficient)) && std::isfinite(fit.bestSS);
    if (!allFinite) {
        ReportWriteFailure(messages, chosenPath);
        return {};
    }
    const std::string text = CurveParameterText(mode, FileNamePart(datPath), fit, chosen);
    return SaveUnderFreeName(chosenPath, text, messages);
}

}  // namespace mk
