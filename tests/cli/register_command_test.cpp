// morikoyomi-cli register: each compartment equals the yield table of its
// own run file, and the command line, header and bad rows give the exit
// status and messages they should, with the output whole or absent.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "cli/command_registry.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/site_class.h"
#include "core/register/register_csv.h"
#include "core/text/cp932.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace mk::test {
namespace {

const std::string kHeader = "区画ID,面積(ha),PRM,PAR,地位,上層樹高,林齢,立木本数,施業,樹種\r\n";

class RegisterCli : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& entry : fs::directory_iterator(SourcePath("examples"))) {
            const std::string name = entry.path().filename().string();
            if (entry.is_regular_file() &&
                (name.rfind("sugi", 0) == 0 || name.rfind("yield_", 0) == 0)) {
                fs::copy_file(entry.path(), dir.File(name));
            }
        }
    }

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return cli::RunCli(args, out, err);
    }

    std::vector<std::vector<std::string>> Records(const std::string& path) {
        std::vector<std::vector<std::string>> records;
        std::istringstream in(ReadBytes(path));
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::vector<std::string> fields;
            EXPECT_TRUE(SplitCsvLine(line, fields));
            records.push_back(fields);
        }
        return records;
    }

    TempDir dir;
    std::ostringstream out, err;
};

struct Compartment {
    std::string prm;
    std::string site;    // 上/中/下/1-3, or empty with height
    std::string height;  // measured
    int age;
    std::string stems;  // empty: on the curve of 3000 stems planted
    std::string run;    // example run file with the thinning, or empty
};

// The thinning keys of an example run file; the rest comes from the row.
std::string ThinningLines(const std::string& runFile) {
    static const char* const keys[] = {"ThinningMethod",   "ThinningCount",   "ThinningKey",
                                       "ThinningRate",     "RyTarget",        "BoundThinningRate",
                                       "RyUpper",          "RyLower",         "SlendernessUpper",
                                       "SlendernessLower", "ThinningFromAge", "ThinningToAge"};
    std::string lines;
    std::istringstream in(ReadBytes(runFile));
    std::string line;
    while (std::getline(in, line)) {
        for (const char* key : keys) {
            if (line.rfind(std::string(key) + " ", 0) == 0) lines += line + "\n";
        }
    }
    return lines;
}

// The run file a user would write for the yield table of the compartment.
std::string EquivalentRunFile(const Compartment& c, const std::string& folder) {
    std::string text = "[RunSettings]\nPrmFileName = " + c.prm + "\nParFileName = sugi.PAR\n";
    text += c.run.empty() ? "ThinningMethod = 1\n" : ThinningLines(folder + "/" + c.run);
    std::string stand;
    if (c.site.empty()) {
        HeightCurveParameters curve;
        RecordingMessages messages;
        EXPECT_TRUE(ReadParFile(folder + "/sugi.PAR", curve, messages));
        const double h = std::stod(c.height);
        const auto site = SiteFromMeasuredStand(curve, c.age, h);
        EXPECT_TRUE(site);
        char scale[40];
        std::snprintf(scale, sizeof scale, "%.17g", site ? site->scale : 0.0);
        text += "SiteClass = 4\nSiteCurveScale = " + std::string(scale) + "\n";
        stand += "SiteText = " + (site ? site->classText : "") +
                 "・推定\nSiteCalcAge = " + std::to_string(c.age) +
                 "\nSiteCalcHeight = " + c.height + "\n";
    } else {
        const std::map<std::string, std::string> codes = {{"上", "1"}, {"中", "2"}, {"下", "3"}};
        text += "SiteClass = " + (codes.count(c.site) ? codes.at(c.site) : c.site) + "\n";
        text += "StemSettingMethod = 2\n";
    }
    text += "CurrentAge = " + std::to_string(c.age) + "\n";
    text += "CurrentStemNumber = " + (c.stems.empty() ? std::string("1000") : c.stems) + "\n";
    text += "EndAge = " + std::to_string(std::min(c.age + 30, 200)) + "\n";
    if (c.stems.empty()) stand += "CurrentPlantingDensity = 3000\n";
    if (!stand.empty()) text += "[CurrentStandState]\n" + stand;
    return text;
}

// The rows of a yield table by age: height, DBH, stems, volume and total
// yield as printed.
std::map<int, std::vector<double>> TableRows(const std::string& path) {
    std::map<int, std::vector<double>> rows;
    const auto text = Cp932ToUtf8(ReadBytes(path));
    EXPECT_TRUE(text);
    std::istringstream in(text.value_or(""));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string s; words >> s;) w.push_back(s);
        if (w.size() < 11 || w.front().find_first_not_of("0123456789") != std::string::npos ||
            w.front() != w.back()) {
            continue;
        }
        rows[std::stoi(w[0])] = {std::stod(w[1]), std::stod(w[2]), std::stod(w[3]), std::stod(w[5]),
                                 std::stod(w[w.size() - 2])};
    }
    return rows;
}

TEST_F(RegisterCli, EachCompartmentEqualsTheYieldTableOfItsOwnRunFile) {
    const std::vector<Compartment> sample = {
        {"sugi_type1.prm", "中", "", 20, "2200", "yield_method1_current.run"},
        {"sugi_type1.prm", "下", "", 15, "3000", "yield_method6_current.run"},
        {"sugi_type1.prm", "上", "", 25, "1800", "yield_method3_current.run"},
        {"sugi_type2.prm", "2", "", 15, "2800", "yield_method4_current.run"},
        {"sugi_type2.prm", "1", "", 30, "", "yield_method5_current.run"},
        {"sugi_type1.prm", "", "13.2", 25, "1800", "yield_method4_current.run"},
        {"sugi_type1.prm", "3", "", 10, "", "yield_method2_current.run"},
        {"sugi_type2.prm", "", "16.0", 30, "", ""},
        {"sugi_type1.prm", "中", "", 40, "1200", ""},
        {"sugi_type2.prm", "下", "", 50, "900", "yield_method1_current.run"},
    };
    std::string reg = kHeader;
    for (std::size_t i = 0; i < sample.size(); ++i) {
        const Compartment& c = sample[i];
        reg += "C" + std::to_string(i) + ",1.5," + c.prm + ",sugi.PAR," + c.site + "," + c.height +
               "," + std::to_string(c.age) + "," + c.stems + "," + c.run + ",スギ\r\n";
    }
    WriteBytes(dir.File("reg.csv"), reg);
    ASSERT_EQ(Run({"register", dir.File("reg.csv"), "--out", dir.File("out.csv"), "--years",
                   "0,5,10,20,30"}),
              0)
        << err.str();
    const auto records = Records(dir.File("out.csv"));
    ASSERT_EQ(records.size(), 1 + sample.size() * 5);

    int compared = 0;
    for (std::size_t i = 0; i < sample.size(); ++i) {
        SCOPED_TRACE("C" + std::to_string(i));
        WriteBytes(dir.File("c.run"), EquivalentRunFile(sample[i], dir.path()));
        ASSERT_EQ(Run({"yield", dir.File("c.run")}), 0) << err.str();
        std::string table = out.str();
        table.pop_back();
        const auto rows = TableRows(table);
        ASSERT_FALSE(rows.empty());
        fs::remove(table);
        int comparedHere = 0;
        for (std::size_t y = 0; y < 5; ++y) {
            const auto& r = records[1 + i * 5 + y];
            ASSERT_EQ(r[12], "");
            const int age = std::stoi(r[2]);
            const auto row = rows.find(age);
            if (row == rows.end()) continue;
            const std::vector<double>& t = row->second;
            // The table shows tenths (stems whole); the register hundredths.
            EXPECT_NEAR(std::stod(r[3]), t[0], 0.0501) << age;
            EXPECT_NEAR(std::stod(r[4]), t[1], 0.0501) << age;
            EXPECT_NEAR(std::stod(r[5]), t[2], 0.501) << age;
            EXPECT_NEAR(std::stod(r[6]), t[3], 0.0501) << age;
            // Total yield: the stand plus what was thinned from now on.
            EXPECT_NEAR(std::stod(r[6]) + std::stod(r[9]), t[4], 0.0601) << age;
            ++comparedHere;
        }
        EXPECT_GE(comparedHere, 4);
        compared += comparedHere;
    }
    EXPECT_GE(compared, 45);
}

TEST_F(RegisterCli, BadCommandLinesAndHeadersWriteNothing) {
    WriteBytes(dir.File("reg.csv"), kHeader + "A,1,sugi_type1.prm,sugi.PAR,中,,20,,,\r\n");
    WriteBytes(dir.File("nohead.csv"), "id,area,prm,par,age\r\nA,1,sugi_type1.prm,sugi.PAR,20\r\n");
    WriteBytes(dir.File("bad.run"), "[RunSettings]\nThinningCount = 2\nThinningKey = 20\n");
    WriteBytes(dir.File("old.csv"), "old");
    const std::string reg = dir.File("reg.csv");
    const std::string old = dir.File("old.csv");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"register", reg}, "--out がありません"},
        {{"register", "--out", old}, "森林簿の CSV ファイルがありません"},
        {{"register", reg, "--out", old, "--years", "0,5,x"}, "--years は"},
        {{"register", reg, "--out", old, "--years", "201"}, "--years は"},
        {{"register", reg, "--out", old, "--rows", "5:3"}, "--rows は"},
        {{"register", reg, "--out", old, "--rows", "0:3"}, "--rows は"},
        {{"register", reg, "--out", old, "--planting", "abc"}, "--planting は"},
        {{"register", reg, "--out", old, "--threads", "0"}, "--threads は"},
        {{"register", reg, "--out", old, "--colour", "x"}, "知らないオプションです: --colour"},
        {{"register", reg, "--out", old, "--out", old}, "--out が二度あります"},
        {{"register", reg, "--out", old, "--species", "カラマツ"},
         "樹種 カラマツ の炭素係数がありません"},
        {{"register", reg, "--out", old, "--run", dir.File("bad.run")}, "ThinningKey"},
        {{"register", reg, "--out", old, "--carbon", dir.File("none.ini")}, "ファイルを開けません"},
        {{"register", dir.File("nohead.csv"), "--out", old},
         "見出し行に必要な列がありません：地位または上層樹高"},
        {{"register", dir.File("none.csv"), "--out", old}, "森林簿を開けません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(Run(c.args), 2);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(ReadBytes(old), "old");
    }
    // No temporary file is left beside the output.
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
    }
}

TEST_F(RegisterCli, BadRowsAreCountedAndTheOutputAndSummaryStillWritten) {
    WriteBytes(dir.File("reg.csv"),
               kHeader +
                   "A,1,sugi_type1.prm,sugi.PAR,中,,20,,,\r\n"
                   "B,1,sugi_type9.prm,sugi.PAR,中,,20,,,\r\n"
                   "C,2,sugi_type1.prm,sugi.PAR,上,,30,1500,yield_method4_current.run,ヒノキ\r\n"
                   "D,1,sugi_type1.prm,sugi.PAR,中,,0,,,\r\n");
    WriteBytes(dir.File("c.ini"), Sjis("[ヒノキ]\r\nWoodDensity = 0.5\r\n"));
    EXPECT_EQ(Run({"register", dir.File("reg.csv"), "--out", dir.File("out.csv"), "--summary",
                   dir.File("sum.csv"), "--years", "0,10", "--species", "sugi", "--carbon",
                   dir.File("c.ini"), "--english"}),
              1);
    EXPECT_EQ(out.str(), dir.File("out.csv") + "\n" + dir.File("sum.csv") + "\n");
    EXPECT_NE(err.str().find("3行目 (区画 B): ファイルを開けません。"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("5行目 (区画 D): 林齢は 1 から 200 までです: 0"), std::string::npos);
    EXPECT_NE(err.str().find("4 区画のうち 2 区画を計算できませんでした。"), std::string::npos);

    const auto records = Records(dir.File("out.csv"));
    ASSERT_EQ(records.size(), 9u);
    EXPECT_EQ(records[0][0], "\xEF\xBB\xBFid");
    EXPECT_EQ(records[0][12], "error");
    // A takes the species of the command line, C its own with the INI's density.
    const double volumeA = std::stod(records[1][6]), carbonA = std::stod(records[1][10]);
    EXPECT_NEAR(carbonA, volumeA * 0.314 * 1.57 * 1.25 * 0.51, 0.002);
    const double volumeC = std::stod(records[5][6]), carbonC = std::stod(records[5][10]);
    EXPECT_NEAR(carbonC, volumeC * 0.5 * 1.24 * 1.26 * 0.51, 0.002);
    EXPECT_NEAR(std::stod(records[5][11]), carbonC * 2 * 44 / 12, 0.01);

    const auto summary = Records(dir.File("sum.csv"));
    ASSERT_EQ(summary.size(), 1 + 2 * 2u);  // all, and the one parameter set that read
    EXPECT_EQ(summary[1][0], "all");
    EXPECT_EQ(summary[1][2], "2");
    EXPECT_EQ(summary[1][3], "3.00");

    // All rows good: status 0 and the count.
    WriteBytes(dir.File("good.csv"), kHeader + "A,1,sugi_type1.prm,sugi.PAR,中,,20,,,\r\n");
    EXPECT_EQ(Run({"register", dir.File("good.csv"), "--out", dir.File("out.csv")}), 0);
    EXPECT_NE(err.str().find("1 区画を計算しました。"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace mk::test
