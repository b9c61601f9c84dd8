#pragma once
// Driving the planning wizard: the example files copied under the names of
// a region, and scripts for each page.

#include <QDialog>
#include <string>

#include "app_test_support.h"

namespace mk::app::test {

// The example PRM and PAR files copied as "青森sugi_type1.prm" and
// "青森sugi.PAR" (list position 2, 青森県) into the fixture's folder.
struct RegionFiles {
    explicit RegionFiles(AppFixture& f);
    std::string prm, par;
};

inline constexpr int kAomoriRow = 1;  // 0-based row of 青森県

bool Checked(QWidget& w, const char* name);
void ChooseFile(AppFixture& f, QDialog& page, const char* button, const std::string& path);

// Page 1 with its two options, page 2 with a list row, page 3 with the
// files and a site option.
ScriptedDialogRunner::Script StatePage(const char* state, const char* target);
ScriptedDialogRunner::Script RegionPage(int row);
ScriptedDialogRunner::Script ParameterPage(AppFixture& f, const RegionFiles& files,
                                           const char* siteOption);

// What the batch tool writes for a run file with these lines.
std::string CliPlanTable(AppFixture& f, const RegionFiles& files, const std::string& planLines,
                         const std::string& siteLines = "SiteClass = 2\n");

// The plan table files (*.160) in a folder, sorted.
std::vector<std::string> PlanTables(const std::string& folder);

}  // namespace mk::app::test
