#include "core/basedata/parameter_files.h"

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
    const std::string text = CurveParameterText(mode, FileNamePart(datPath), fit, chosen);
    return SaveUnderFreeName(chosenPath, text, messages);
}

}  // namespace mk
