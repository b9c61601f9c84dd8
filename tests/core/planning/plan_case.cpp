#include "plan_case.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "core/host/messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/planning/plan_simulation.h"
#include "core/text/cp932.h"

namespace mk::test {

PlanCaseFile ReadPlanCase(const std::string& path) {
    const std::string json = ReadBytes(path);
    PlanCaseFile file;
    static const std::regex number(R"rx("(\w+)"\s*:\s*(-?[0-9.]+))rx");
    static const std::regex text(R"rx("(\w+)"\s*:\s*"([^"]*)")rx");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), number);
         it != std::sregex_iterator(); ++it) {
        file.numbers[(*it)[1]] = std::stod((*it)[2]);
    }
    for (auto it = std::sregex_iterator(json.begin(), json.end(), text);
         it != std::sregex_iterator(); ++it) {
        file.texts[(*it)[1]] = (*it)[2];
    }
    return file;
}

std::string PlanDataPath(const std::string& name) {
    return SourcePath("tests/core/planning/data/" + name);
}

PlanRunFixture::PlanRunFixture(const std::string& caseName) : ws_(std::make_unique<Workspace>()) {
    const PlanCaseFile c = ReadPlanCase(PlanDataPath(caseName + ".json"));
    auto num = [&c](const char* key) {
        const auto it = c.numbers.find(key);
        EXPECT_NE(it, c.numbers.end()) << key;
        return it == c.numbers.end() ? 0.0 : it->second;
    };
    const std::string prmName = c.texts.at("PrmName");
    const std::string prm = dir_.File(prmName);
    const std::string par = dir_.File("sugi.PAR");
    std::filesystem::copy_file(PlanDataPath(prmName), prm);
    std::filesystem::copy_file(PlanDataPath("sugi.PAR"), par);
    RecordingMessages readMessages;
    EXPECT_TRUE(ReadPrmFile(prm, ws_->Diagram, readMessages));
    EXPECT_TRUE(ReadParFile(par, ws_->HeightCurve, readMessages));

    RunSettings& run = ws_->Run;
    run.PrmFileName = prm;
    run.ParFileName = par;
    run.SiteClass = static_cast<int>(num("SiteClass"));
    run.SiteCurveScale = SiteCurveScale(ws_->HeightCurve, run.SiteClass).value_or(0);

    PlanSettings& p = ws_->Plan;
    p.StandStateKnown = static_cast<int>(num("StandStateKnown"));
    p.TargetDecided = static_cast<int>(num("TargetDecided"));
    p.StartAge = static_cast<int>(num("StartAge"));
    p.StartStemNumber = num("StartStemNumber");
    p.StartStemNumberShown = p.StartStemNumber;
    p.StartPlantingDensity = num("StartPlantingDensity");
    p.EndAge = static_cast<int>(num("EndAge"));
    p.TargetStemNumber = num("TargetStemNumber");
    p.TargetPlantingDensity = num("TargetPlantingDensity");
    p.ThinStartAge = static_cast<int>(num("ThinStartAge"));
    p.ThinFromAge = p.ThinStartAge - 1;
    p.ThinToAge = static_cast<int>(num("ThinToAge"));
    p.IntervalLessOne = static_cast<int>(num("IntervalLessOne"));
    p.RyLimit = num("RyLimit");
    p.RyStep = num("RyStep");
    p.SlendernessLimit = num("SlendernessLimit");
}

std::string PlanRunFixture::Run() {
    std::array<Canvas*, kPlanCount> pictures{};
    for (int k = 0; k < kPlanCount; ++k) pictures[k] = &pictures_[k];
    PlanRunCallbacks callbacks;
    callbacks.ageLabel = [this](int plan, const std::string& caption) {
        labels_.push_back(std::to_string(plan) + ":" + caption);
    };
    NullEventPump pump;
    written_ = RunPlanTable(*ws_, pictures, callbacks, messages_, pump);
    return written_;
}

std::string PlanRunFixture::MessageList() const {
    std::string list;
    for (const ShownMessage& m : messages_.shown()) list += "[" + m.title + "] " + m.text + "\n";
    return list;
}

std::vector<std::vector<std::string>> PlanRows(const std::string& utf8Table) {
    std::vector<std::vector<std::string>> plans;
    std::string ruleText;
    for (int i = 0; i < 67; ++i) ruleText += "─";
    int rulesSeen = 0;
    std::size_t start = 0;
    while (start < utf8Table.size()) {
        std::size_t end = utf8Table.find("\r\n", start);
        if (end == std::string::npos) end = utf8Table.size();
        const std::string line = utf8Table.substr(start, end - start);
        start = end + 2;
        if (line == ruleText) {
            ++rulesSeen;
            if (rulesSeen == 3) plans.emplace_back();
            if (rulesSeen == 4) rulesSeen = 0;
            continue;
        }
        if (rulesSeen == 3) plans.back().push_back(line);
    }
    return plans;
}

bool IsThinningRow(const std::string& row) {
    return row.size() >= 132 && row.substr(53, 68).find_first_not_of(' ') != std::string::npos;
}

int RowAge(const std::string& row) { return std::stoi(row.substr(0, 4)); }

}  // namespace mk::test
