#pragma once
// The plan table file (.160): the five plans one after another, each as a
// heading block, its rows and a closing rule. Rows and rules are those of
// the yield table; only the first two heading lines differ.

#include <string>
#include <string_view>

namespace mk {

class Messages;
struct PlanningState;

// Heading block of one plan: "収穫予測    使用ファイル：" + PRM + " & " + PAR,
// "  （地位" + site + "）", an empty line and the column headings of the
// yield table.
std::string PlanTableHeading(std::string_view prmName, std::string_view parName,
                             std::string_view siteName);

// The name the plan table will be written to: the first free
// "YIELD_xx.160" in the folder of the PAR file's survey source. Empty when
// the family is exhausted (the message has been shown); nothing is created.
std::string PlanTableFileName(const PlanningState& workspace, Messages& messages);

// Starts composing the plan table under path (an empty path: no file).
void OpenPlanTable(PlanningState& workspace, const std::string& path);

// Saves the composed text whole (code page 932, CR LF) and closes the file,
// under the name it was opened with or, when another program has taken that
// name meanwhile, the next free one of its family (written tells which). A
// file that cannot be written is reported ("ファイル書き込みエラー") and false
// is returned; with no file open nothing happens and true is returned.
bool ClosePlanTable(PlanningState& workspace, Messages& messages, std::string* written = nullptr);

// Forgets the composed text without writing anything.
void DiscardPlanTable(PlanningState& workspace);

}  // namespace mk
