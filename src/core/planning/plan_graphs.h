#pragma once
// The graphs of one plan and the texts of the plan result window.

#include <string>

#include "core/graphics/age_graph.h"

namespace mk {

struct PlanningState;

// Graph of column plan (1..5) of the result arrays over the plan's ages
// (StartAge to EndAge of PlanSettings). Height, DBH and volume take their
// larger scales only from a site curve scale of 30 up.
AgeGraphRun PlanGraphs(const PlanningState& workspace, int plan);

// Clears the picture and draws graph kind 1..5 of the plan.
void DrawPlanGraph(Canvas& surface, int kind, const PlanningState& workspace, int plan,
                   AgeAxisSettings& axis);

// "システム収穫表：杜の暦『構想』－収穫予測"
std::string PlanWindowCaption();
// "ファイル：" + the survey file the height curve came from.
std::string PlanFileLabel(const PlanningState& workspace);
// "地位：" + site class name.
std::string PlanSiteLabel(const PlanningState& workspace);
// "間伐回数：" + plan.
std::string PlanNumberLabel(int plan);
// "画像 " + (index + 1) + "/6" for the image index 0..5.
std::string PlanImageCounter(int index);
// Caption of the all-image view of a plan: "収穫予測 " + survey file +
// " 地位：" + site + " 間伐回数：" + plan.
std::string PlanAllImageCaption(const PlanningState& workspace, int plan);

}  // namespace mk
