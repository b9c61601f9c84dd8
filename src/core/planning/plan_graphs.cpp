#include "core/planning/plan_graphs.h"

#include "core/model/site_class.h"
#include "core/planning/planning_state.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"

namespace mk {

AgeGraphRun PlanGraphs(const PlanningState& workspace, int plan) {
    AgeGraphRun run;
    run.results = &workspace.Results;
    run.series = plan;
    run.startAge = workspace.Plan.StartAge;
    run.endAge = workspace.Plan.EndAge;
    run.siteCurveScale = workspace.Run.SiteCurveScale;
    run.largeScaleFrom = AgeGraphRun::kPlanLargeScaleFrom;
    return run;
}

void DrawPlanGraph(Canvas& surface, int kind, const PlanningState& workspace, int plan,
                   AgeAxisSettings& axis) {
    DrawAgeGraph(surface, kind, PlanGraphs(workspace, plan), axis);
}

std::string PlanWindowCaption() { return "システム収穫表：杜の暦『構想』－収穫予測"; }

std::string PlanFileLabel(const PlanningState& workspace) {
    return "ファイル：" + FileNamePart(workspace.HeightCurve.HeightCurveSource);
}

std::string PlanSiteLabel(const PlanningState& workspace) {
    return "地位：" + SiteClassName(workspace.Run.SiteClass, workspace.CurrentStand.SiteText);
}

std::string PlanNumberLabel(int plan) { return "間伐回数：" + IntText(plan); }

std::string PlanImageCounter(int index) { return "画像 " + IntText(index + 1) + "/6"; }

std::string PlanAllImageCaption(const PlanningState& workspace, int plan) {
    return "収穫予測 " + FileNamePart(workspace.HeightCurve.HeightCurveSource) + " 地位：" +
           SiteClassName(workspace.Run.SiteClass, workspace.CurrentStand.SiteText) + " 間伐回数：" +
           IntText(plan);
}

}  // namespace mk
