#include "core/yield/thinning_proposal.h"

#include <cmath>

#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"

namespace mk {

ThinningProposal ProposeThinnings(const YieldState& ws) {
    const RunSettings& run = ws.Run;
    const DensityDiagramParameters& d = ws.Diagram;
    ThinningProposal proposal;
    const int a0 = run.StemSettingMethod == 1 ? 1 : run.CurrentAge;
    const double plantingDensity = run.StemSettingMethod == 1
                                       ? run.PlantingStemNumber
                                       : ws.CurrentStand.CurrentPlantingDensity;
    proposal.firstAge = a0;

    double previousRy = 0;
    double previousH = 0, previousN = 0;
    double h = 0, n = 0, dbh = 0;
    bool onFullDensityLine = false;
    int a = a0;
    int last = a0;
    for (; previousRy < 0.4 && a <= kMaxAge; ++a) {
        if (auto height = SiteHeight(ws.HeightCurve, run.SiteCurveScale, a)) h = *height;
        if (onFullDensityLine) {
            n = FullDensityStems(d, h);
        } else {
            n = NaturalThinningStems(d, plantingDensity, h);
            if (a > a0) {
                const double rN = previousN / n;
                double rH = previousH / h;
                if (rH != 0) rH = std::pow(rH, d.Prm[12]);
                const double full = FullDensityStems(d, h);
                if (rN > rH && full < previousN) {
                    n = full;
                    onFullDensityLine = true;
                }
            }
        }
        dbh = MeanDbh(d, h, n);
        if (auto ry = YieldIndex(d, h, n)) previousRy = *ry;
        previousH = h;
        previousN = n;
        last = a;
    }
    proposal.aStar = last;
    proposal.heightAtStar = h;
    proposal.dbhAtStar = dbh;
    switch (run.ThinningMethod) {
        case 2:
            proposal.keyScale = 10;
            proposal.key0 = h - 1;
            proposal.keyMaximum = run.SiteCurveScale;
            break;
        case 3:
            proposal.keyScale = 10;
            proposal.key0 = dbh - 1;
            proposal.keyMaximum = 70;
            break;
        default:
            proposal.keyScale = 1;
            proposal.key0 = last - 1;
            proposal.keyMaximum = run.EndAge;
            break;
    }
    return proposal;
}

double ProposedKeyAfter(double previousKey) { return previousKey + 1; }

double ProposedKey(const ThinningProposal& proposal, int j) {
    // Step by step, as the page chains its proposals.
    double key = proposal.key0;
    for (int i = 1; i <= j; ++i) key = ProposedKeyAfter(key);
    return key;
}

}  // namespace mk
