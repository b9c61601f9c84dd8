#include "core/planning/plan_table.h"

#include "core/text/file_errors.h"
#include "core/text/paths.h"
#include "core/text/text_file.h"
#include "core/yield/table_calc.h"
#include "core/yield/table_report.h"
#include "core/planning/planning_state.h"

namespace mk {

namespace {

// The yield table heading from its fourth line on: the rules, the column
// headings and the units are shared by both tables.
std::string SharedHeadingLines(std::string_view prmName, std::string_view parName,
                               std::string_view siteName) {
    const std::string yield = YieldTableHeading(prmName, parName, siteName, "");
    std::size_t start = 0;
    for (int line = 0; line < 3; ++line) {
        const std::size_t end = yield.find(kCrLf, start);
        if (end == std::string::npos) return {};
        start = end + kCrLf.size();
    }
    return yield.substr(start);
}

}  // namespace

std::string PlanTableHeading(std::string_view prmName, std::string_view parName,
                             std::string_view siteName) {
    std::string text = "収穫予測    使用ファイル：";
    text += prmName;
    text += " & ";
    text += parName;
    text += kCrLf;
    text += "  （地位";
    text += siteName;
    text += "）";
    text += kCrLf;
    text += kCrLf;
    text += SharedHeadingLines(prmName, parName, siteName);
    return text;
}

std::string PlanTableFileName(const PlanningState& workspace, Messages& messages) {
    return MakeSaveName(FolderPart(workspace.HeightCurve.HeightCurveSource), ".160", messages);
}

void OpenPlanTable(PlanningState& workspace, const std::string& path) {
    workspace.OutputFile = TableFile{path, {}, TableKind::Plan, {}};
}

bool ClosePlanTable(PlanningState& workspace, Messages& messages, std::string* written) {
    if (!workspace.OutputFile.IsOpen()) return true;
    const std::string path =
        SaveUnderFreeName(workspace.OutputFile.path, workspace.OutputFile.text, messages);
    TableFile file = std::move(workspace.OutputFile);
    DiscardPlanTable(workspace);
    if (!path.empty()) workspace.LastTable = FinishedTable(std::move(file), path);
    if (written) *written = path;
    return !path.empty();
}

void DiscardPlanTable(PlanningState& workspace) { workspace.OutputFile = TableFile{}; }

}  // namespace mk
