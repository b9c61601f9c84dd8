#include "core/yield/stand_volume_run.h"

#include <cmath>

#include "core/text/paths.h"

namespace mk {

bool OpenVolumeTableFile(YieldState& ws, Messages& messages) {
    ws.OutputFile = TableFile{};
    const std::string name =
        MakeSaveName(FolderPart(ws.HeightCurve.HeightCurveSource), ".80", messages);
    if (name.empty()) return false;
    ws.OutputFile.path = name;
    ws.OutputFile.kind = TableKind::Volume;
    return true;
}

TableCalcOutcome RunVolumeTableSiteClass(YieldState& ws, int siteClass, Canvas& picture,
                                         const ProgressText& ageLabel, Messages& messages,
                                         EventPump& pump) {
    const HeightCurveParameters& curve = ws.HeightCurve;
    switch (siteClass) {
        case 1:
            ws.Run.SiteCurveScale = curve.CurveM * std::exp(curve.BandCoefficient);
            break;
        case 2:
            ws.Run.SiteCurveScale = curve.CurveM;
            break;
        default:
            ws.Run.SiteCurveScale = curve.CurveM * std::exp(-curve.BandCoefficient);
            break;
    }
    ws.VolumeTableSiteClass = siteClass;
    return TABLECALC(ws, kVolumeTableMode, picture, ageLabel, messages, pump);
}

StandVolumeOutcome RunStandVolumeTable(YieldState& ws, Canvas* const pictures[3],
                                       const ProgressText labels[3], Messages& messages,
                                       EventPump& pump) {
    StandVolumeOutcome outcome;
    if (!CheckDiagramType(ws.Diagram, "TABLECALC", messages)) return outcome;
    if (!OpenVolumeTableFile(ws, messages)) return outcome;
    PrepareRunSettings(ws);
    for (int k = 1; k <= 3; ++k) {
        RunVolumeTableSiteClass(ws, k, *pictures[k - 1], labels[k - 1], messages, pump);
    }
    outcome.writtenPath = CloseTableFile(ws, messages);
    ws.VolumeTableSiteClass = 1;
    return outcome;
}

}  // namespace mk
