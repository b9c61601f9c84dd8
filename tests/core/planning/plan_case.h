#pragma once
// A plan run of the planning tests: one case of data/ (its JSON settings,
// parameter files and the expected table and messages of the independent
// computation), run in a temporary folder.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/graphics/recording_canvas.h"
#include "core/host/recording_messages.h"
#include "core/session/workspace.h"
#include "support/test_files.h"

namespace mk::test {

// The flat JSON object of a case: numbers and strings by key.
struct PlanCaseFile {
    std::map<std::string, double> numbers;
    std::map<std::string, std::string> texts;
};
PlanCaseFile ReadPlanCase(const std::string& path);

// data/<name>
std::string PlanDataPath(const std::string& name);

class PlanRunFixture {
public:
    // Copies the case's PRM file and the PAR file into a fresh folder, reads
    // them and fills RunSettings and PlanSettings from data/<name>.json.
    explicit PlanRunFixture(const std::string& caseName);

    Workspace& ws() { return *ws_; }
    // Runs the five plans; returns the path written (empty: nothing).
    std::string Run();
    std::string WrittenBytes() const { return ReadBytes(written_); }
    // Each message as "[TITLE] TEXT\n", the form of the reference's list.
    std::string MessageList() const;
    const RecordingMessages& messages() const { return messages_; }
    const RecordingCanvas& picture(int plan) const { return pictures_[plan - 1]; }
    const std::vector<std::string>& labels() const { return labels_; }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    std::unique_ptr<Workspace> ws_;
    RecordingMessages messages_;
    std::array<RecordingCanvas, 5> pictures_;
    std::vector<std::string> labels_;
    std::string written_;
};

// The rows of each plan of a plan table (UTF-8 text, CR LF): the lines
// between the third rule of a heading block and the closing rule.
std::vector<std::vector<std::string>> PlanRows(const std::string& utf8Table);
// A thinning row has figures in the columns of the removed trees.
bool IsThinningRow(const std::string& row);
// The age in the first field of a row.
int RowAge(const std::string& row);

}  // namespace mk::test
