#include "planning_test_support.h"

#include <QAbstractButton>
#include <QListWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/command_registry.h"

namespace mk::app::test {

namespace fs = std::filesystem;

RegionFiles::RegionFiles(AppFixture& f)
    : prm(f.folder.File("青森sugi_type1.prm")), par(f.folder.File("青森sugi.PAR")) {
    fs::copy_file(f.prm, prm);
    fs::copy_file(f.par, par);
}

bool Checked(QWidget& w, const char* name) {
    auto* b = Find<QAbstractButton>(w, name);
    return b != nullptr && b->isChecked();
}

void ChooseFile(AppFixture& f, QDialog& page, const char* button, const std::string& path) {
    f.scripted.files.Choose(QString::fromStdString(path));
    Click(page, button);
}

ScriptedDialogRunner::Script StatePage(const char* state, const char* target) {
    return [state, target](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_01");
        Click(page, state);
        Click(page, target);
        Click(page, "OKButton");
    };
}

ScriptedDialogRunner::Script RegionPage(int row) {
    return [row](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_02");
        if (auto* list = Find<QListWidget>(page, "List1")) list->setCurrentRow(row);
        Click(page, "OKButton");
    };
}

ScriptedDialogRunner::Script ParameterPage(AppFixture& f, const RegionFiles& files,
                                           const char* siteOption) {
    return [&f, &files, siteOption](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_03");
        ChooseFile(f, page, "Command_PRMSet", files.prm);
        ChooseFile(f, page, "Command_PARSet", files.par);
        Click(page, siteOption);
        Click(page, "OKButton");
    };
}

// What the batch tool writes for a run file with these lines.
std::string CliPlanTable(AppFixture& f, const RegionFiles& files, const std::string& planLines,
                         const std::string& siteLines) {
    const std::string runFile = f.folder.File("plan.run");
    std::ofstream(runFile) << "[RunSettings]\nPrmFileName = " << files.prm
                           << "\nParFileName = " << files.par << "\n"
                           << siteLines << "\n[PlanSettings]\n"
                           << planLines;
    std::ostringstream out, err;
    const int status = cli::RunCli({"plan", runFile}, out, err);
    EXPECT_EQ(status, 0) << err.str();
    std::string written = out.str();
    while (!written.empty() && written.back() == '\n') written.pop_back();
    return written.empty() ? std::string() : mk::test::ReadBytes(written);
}

std::vector<std::string> PlanTables(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.size() > 4 && name.ends_with(".160")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace mk::app::test
