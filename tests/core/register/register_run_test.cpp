// A whole register through the pipeline: output in input order whatever
// the number of workers, slices that add up to the whole, bad rows written
// with their reason while the rest is computed, and the summary.

#include "core/register/register_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "core/register/register_csv.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace mk {
namespace {

using test::ReadBytes;
using test::SourcePath;
using test::TempDir;
using test::WriteBytes;

const std::string kHeader = "区画ID,面積(ha),PRM,PAR,地位,上層樹高,林齢,立木本数,施業,樹種";

// A register folder with the example parameter files and a broken diagram
// whose stands cannot be computed.
class RegisterFolder {
public:
    RegisterFolder() {
        for (const char* name : {"sugi_type1.prm", "sugi_type2.prm", "sugi.PAR"}) {
            fs::copy_file(SourcePath(std::string("examples/") + name), dir.File(name));
        }
        fs::copy_file(SourcePath("tests/cli/yield_cases/uncomputable_year/broken.prm"),
                      dir.File("broken.prm"));
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        WriteBytes(dir.File(name), bytes);
        return dir.File(name);
    }
    TempDir dir;
};

// A schedule by age: 30 % of the stems at 22 and again at 27 (an empty
// name is the only file the loader knows besides these two).
ThinningLoader Loader(int* calls = nullptr) {
    return [calls](const std::string& path, RunSettings& run, std::string& error) {
        if (calls) ++*calls;
        if (path.find("bad.run") != std::string::npos) {
            error = "bad.run:3: ThinningKey の個数が ThinningCount と違います";
            return false;
        }
        ClearRunSettings(run);
        if (path.find("floor.run") != std::string::npos) {
            // Ry bounds no stand above the 150-stem floor can reach.
            run.ThinningMethod = 5;
            run.RyUpper = 0.6;
            run.RyLower = 0.01;
            run.ThinningFromAge = 10;
            run.ThinningToAge = 100;
            return true;
        }
        run.ThinningMethod = 1;
        run.ThinningCount = 2;
        run.ThinningKey[1] = 22;
        run.ThinningKey[2] = 27;
        run.ThinningRate[1] = 0.3;
        run.ThinningRate[2] = 0.3;
        return true;
    };
}

// Rows of every kind that computes: site classes in both forms, a measured
// height, stems given or left to the curve, with and without thinning.
std::string GoodRows(int count) {
    static const char* const kinds[] = {
        "sugi_type1.prm,sugi.PAR,中,,20,2000,,スギ",
        "sugi_type2.prm,sugi.PAR,1,,35,,,ヒノキ",
        "sugi_type1.prm,sugi.PAR,下,,12,2600,thin.run,",
        "sugi_type1.prm,sugi.PAR,,14.8,25,1500,,スギ",
        "sugi_type2.prm,sugi.PAR,3,,60,900,thin.run,ひのき",
    };
    std::string rows;
    for (int i = 0; i < count; ++i) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about
        // the temporaries of one long sum in an optimised build.
        rows += 'K';
        rows += std::to_string(i);
        rows += ',';
        rows += std::to_string(0.5 + i % 7);
        rows += ',';
        rows += kinds[i % 5];
        rows += "\r\n";
    }
    return rows;
}

struct Result {
    RegisterOutcome outcome;
    std::string output;
};

Result RunOn(const std::string& path, RegisterOptions options,
             const ThinningLoader& loader = Loader()) {
    Result run;
    if (options.simulation.years.empty()) options.simulation.years = {0, 5, 10, 20};
    run.outcome = RunRegister(path, options, loader, [&run](std::string_view bytes) {
        run.output += bytes;
        return true;
    });
    return run;
}

std::vector<std::vector<std::string>> Records(const std::string& output) {
    std::vector<std::vector<std::string>> records;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        EXPECT_TRUE(SplitCsvLine(line, fields)) << line;
        records.push_back(fields);
    }
    return records;
}

TEST(RegisterRun, OutputInInputOrderWhateverTheNumberOfWorkers) {
    RegisterFolder folder;
    // More rows than several batches, so that workers finish out of order.
    const std::string path = folder.Write("r.csv", kHeader + "\r\n" + GoodRows(1100));
    RegisterOptions options;
    options.threads = 1;
    const Result one = RunOn(path, options);
    options.threads = 3;
    const Result three = RunOn(path, options);
    ASSERT_FALSE(one.outcome.refused) << one.outcome.error;
    EXPECT_EQ(one.outcome.rows, 1100);
    EXPECT_EQ(one.outcome.failedRows, 0)
        << (one.outcome.failures.empty() ? "" : one.outcome.failures[0]);
    EXPECT_EQ(one.output, three.output);

    const auto records = Records(one.output);
    ASSERT_EQ(records.size(), 1 + 1100 * 4u);
    EXPECT_EQ(records[0][0], "\xEF\xBB\xBF区画ID");
    for (std::size_t i = 1; i < records.size(); ++i) {
        const auto& r = records[i];
        ASSERT_EQ(r.size(), 13u);
        EXPECT_EQ(r[0], "K" + std::to_string((i - 1) / 4));
        EXPECT_EQ(r[1], std::vector<std::string>({"0", "5", "10", "20"})[(i - 1) % 4]);
        EXPECT_EQ(r[12], "");
    }
}

TEST(RegisterRun, SlicesPutTogetherAreTheWhole) {
    RegisterFolder folder;
    const std::string path = folder.Write("r.csv", kHeader + "\r\n" + GoodRows(40) + "\r\n");
    RegisterOptions options;
    options.threads = 2;
    const Result whole = RunOn(path, options);
    std::string joined;
    long long rows = 0;
    for (auto [first, last] :
         {std::pair{1LL, 13LL}, {14LL, 14LL}, {15LL, 39LL}, {40LL, LLONG_MAX}}) {
        options.firstRow = first;
        options.lastRow = last;
        const Result slice = RunOn(path, options);
        joined += slice.output;
        rows += slice.outcome.rows;
    }
    EXPECT_EQ(rows, 40);
    EXPECT_EQ(joined, whole.output);
    // A slice past the end is empty, header and all.
    options.firstRow = 41;
    EXPECT_EQ(RunOn(path, options).output, "");
}

TEST(RegisterRun, ShiftJisByteOrderMarkAndFullWidthDigitsReadAsPlainUtf8Does) {
    RegisterFolder folder;
    const std::string text = kHeader + "\r\n" + GoodRows(6);
    const Result utf8 = RunOn(folder.Write("u.csv", text), {});
    const Result bom = RunOn(folder.Write("b.csv", "\xEF\xBB\xBF" + text), {});
    const Result sjis = RunOn(folder.Write("s.csv", test::Sjis(text)), {});
    EXPECT_EQ(utf8.outcome.failedRows, 0);
    EXPECT_EQ(bom.output, utf8.output);
    EXPECT_EQ(sjis.output, utf8.output);

    // Numbers typed in full-width digits, as Japanese input often leaves them.
    const Result half = RunOn(
        folder.Write("h.csv", kHeader + "\r\nA,1.5,sugi_type1.prm,sugi.PAR,中,,20,2000,,\r\n"), {});
    const Result full = RunOn(
        folder.Write("f.csv",
                     kHeader + "\r\nA,１．５,sugi_type1.prm,sugi.PAR,中,,２０,２０００,,\r\n"),
        {});
    EXPECT_EQ(full.outcome.failedRows, 0);
    EXPECT_EQ(full.output, half.output);
}

TEST(RegisterRun, BadRowsAreWrittenWithTheirReasonAndTheRestComputed) {
    RegisterFolder folder;
    struct Bad {
        const char* row;
        const char* error;
    } bad[] = {
        {"B1,1,nothere.prm,sugi.PAR,中,,20,,,", "ファイルを開けません。 "},
        {"B2,abc,sugi_type1.prm,sugi.PAR,中,,20,,,", "面積が読めません: abc"},
        {"B3,1,sugi_type1.prm,sugi.PAR,中,,0,,,", "林齢は 1 から 200 までです: 0"},
        {"B4,1,sugi_type1.prm,sugi.PAR,中,,12.5,,,", "林齢が整数ではありません: 12.5"},
        {"B5,1,sugi_type1.prm,sugi.PAR,特,,20,,,", "地位は 上・中・下 か 1～3 です: 特"},
        {"B6,1,sugi_type1.prm,sugi.PAR,,,20,,,", "地位も上層樹高もありません"},
        {"B7,1,sugi_type1.prm,sugi.PAR,中,,20,-5,,", "立木本数は 200 から 10000 までです: -5"},
        {"B8,1,sugi_type1.prm,sugi.PAR,中,,20,,,カラマツ", "樹種 カラマツ の炭素係数がありません"},
        {"B9,1,broken.prm,sugi.PAR,中,,20,,,",
         "林齢 19 で計算できない値になりました。パラメータを確認してください。"},
        {"B10,1,sugi_type1.prm,sugi.PAR,中,,20,,bad.run,",
         "bad.run:3: ThinningKey の個数が ThinningCount と違います"},
        {"B11,1,sugi_type1.prm,sugi.PAR,,45.0,20,,,",
         "上層樹高 45.0 m は林齢 20 の地位曲線から離れすぎています"},
        {"\"B12,1,sugi_type1.prm", "引用符が閉じていません"},
        {"B13,1,sugi_type1.prm,,中,,20,,,", "PARファイルの指定がありません"},
        // So large that the compartment's volume and the totals overflow.
        {"B14,1e300,sugi_type1.prm,sugi.PAR,中,,20,,,", "面積は 0 から 1000000 ha までです: 1e300"},
    };
    std::string text = kHeader + "\r\n";
    const std::string good = GoodRows(3);
    text += good;
    for (const Bad& b : bad) text += std::string(b.row) + "\r\n";
    text += good;
    const Result run = RunOn(folder.Write("r.csv", text), {});
    ASSERT_FALSE(run.outcome.refused);
    EXPECT_EQ(run.outcome.rows, 6 + static_cast<long long>(std::size(bad)));
    EXPECT_EQ(run.outcome.failedRows, static_cast<long long>(std::size(bad)));
    ASSERT_EQ(run.outcome.failures.size(), std::size(bad));
    EXPECT_EQ(run.outcome.failures[2], "7行目 (区画 B3): 林齢は 1 から 200 までです: 0");

    const auto records = Records(run.output);
    ASSERT_EQ(records.size(), 1 + (6 + std::size(bad)) * 4);
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        for (std::size_t y = 0; y < 4; ++y) {
            const auto& r = records[1 + (3 + i) * 4 + y];
            SCOPED_TRACE(bad[i].row);
            ASSERT_EQ(r.size(), 13u);
            EXPECT_EQ(r[2], "");  // no values at all
            EXPECT_EQ(r[12].rfind(bad[i].error, 0), 0u) << r[12];
        }
    }
    // The good rows around them are computed as they are on their own.
    const Result alone = RunOn(folder.Write("g.csv", kHeader + "\r\n" + good), {});
    const auto computed = Records(alone.output);
    for (std::size_t i = 1; i < computed.size(); ++i) {
        EXPECT_EQ(records[i], computed[i]);
        EXPECT_EQ(records[records.size() - computed.size() + i], computed[i]);
    }
}

TEST(RegisterRun, YearsPastTheLastAgeFailAloneAndThinningsCountFromNow) {
    RegisterFolder folder;
    const Result run = RunOn(
        folder.Write("r.csv", kHeader + "\r\nOLD,2,sugi_type1.prm,sugi.PAR,中,,185,,,\r\n"
                                        "T,1,sugi_type1.prm,sugi.PAR,中,,20,2500,thin.run,\r\n"),
        {});
    const auto r = Records(run.outcome.rows == 2 ? run.output : "");
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(r[3][2], "195");
    EXPECT_EQ(r[4][12], "林齢が 200 を超えます");
    EXPECT_EQ(run.outcome.failedRows, 1);
    // Thinned at 22 and 27: nothing by age 20, the first by 25 (period and
    // cumulative), both by 30, and nothing new by 40.
    auto number = [](const std::string& s) { return std::stod(s); };
    EXPECT_EQ(r[5][8], "0.00");
    const double first = number(r[6][8]);
    const double second = number(r[7][8]);
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_EQ(r[6][9], r[6][8]);
    EXPECT_NEAR(number(r[7][9]), first + second, 0.011);
    EXPECT_EQ(r[8][8], "0.00");
    EXPECT_EQ(r[8][9], r[7][9]);
    // Volume x area and no carbon without a species.
    EXPECT_EQ(r[6][7], r[6][6]);
    EXPECT_EQ(r[6][10], "");
}

TEST(RegisterRun, ThinningNoticesAreReportedWithoutFailingTheRow) {
    RegisterFolder folder;
    const Result run = RunOn(
        folder.Write("r.csv", kHeader + "\r\nA,1,sugi_type1.prm,sugi.PAR,中,,20,2000,,\r\n"
                                        "F,1,sugi_type1.prm,sugi.PAR,中,,20,2000,floor.run,\r\n"),
        {});
    EXPECT_EQ(run.outcome.failedRows, 0);
    EXPECT_EQ(run.outcome.noticeRows, 1);
    ASSERT_EQ(run.outcome.thinningNotices.size(), 1u);
    EXPECT_EQ(run.outcome.thinningNotices[0].rfind(
                  "3行目 (区画 F): [TABLECALC Case5] 収量比数 0.01 まで落せません。", 0),
              0u)
        << run.outcome.thinningNotices[0];
    const auto r = Records(run.output);
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(r[8][12], "");
    // The stand was thinned down to the floor all the same.
    EXPECT_LT(std::stod(r[8][5]), std::stod(r[4][5]));
}

TEST(RegisterRun, SummaryAddsUpTheComputedRowsByYearAndParameterSet) {
    RegisterFolder folder;
    const std::string text =
        kHeader + "\r\n" + GoodRows(12) + "X,1,sugi_type1.prm,sugi.PAR,中,,0,,,\r\n";
    const Result run = RunOn(folder.Write("r.csv", text), {});
    const RegisterSummary& s = run.outcome.summary;
    ASSERT_EQ(s.years, std::vector<int>({0, 5, 10, 20}));
    ASSERT_EQ(s.byParameterSet.size(), 2u);
    EXPECT_EQ(s.byParameterSet[0].name, "sugi_type1.prm + sugi.PAR");
    EXPECT_EQ(s.byParameterSet[1].name, "sugi_type2.prm + sugi.PAR");
    // Totals from the written rows (rounded to 0.01 m3/ha there).
    std::map<std::string, double> volume, carbonShare;
    std::map<std::string, int> count;
    double area0 = 0;
    for (const auto& r : Records(run.output)) {
        if (r.size() < 13 || !r[12].empty() || r[2].empty()) continue;
        volume[r[1]] += std::stod(r[7]);
        ++count[r[1]];
        if (r[1] == "0") area0 += std::stod(r[7]) / std::stod(r[6]);
    }
    for (std::size_t y = 0; y < s.years.size(); ++y) {
        const std::string year = std::to_string(s.years[y]);
        EXPECT_EQ(s.total[y].compartments, 12);
        EXPECT_NEAR(s.total[y].volume, volume[year], 0.01 * 12);
        EXPECT_EQ(
            s.byParameterSet[0].years[y].compartments + s.byParameterSet[1].years[y].compartments,
            12);
        EXPECT_NEAR(s.byParameterSet[0].years[y].volume + s.byParameterSet[1].years[y].volume,
                    s.total[y].volume, 1e-6);
        // Rows without a species carry no carbon; the others do.
        EXPECT_LT(s.total[y].carbonCompartments, 12);
        EXPECT_GT(s.total[y].carbon, 0);
    }
    EXPECT_NEAR(s.total[0].area, area0, 0.01);
    EXPECT_EQ(s.failedCompartments, 1);

    const std::string csv = RegisterSummaryCsv(s, false);
    const auto lines = Records(csv);
    ASSERT_EQ(lines.size(), 1 + 3 * 4u);
    EXPECT_EQ(lines[1][0], "全体");
    EXPECT_EQ(lines[5][0], "sugi_type1.prm + sugi.PAR");
    EXPECT_EQ(lines[1][2], "12");
}

TEST(RegisterRun, EachFileIsReadOnceAndAnUnusableHeaderWritesNothing) {
    RegisterFolder folder;
    int calls = 0;
    const Result run =
        RunOn(folder.Write("r.csv", kHeader + "\r\n" + GoodRows(50)), {}, Loader(&calls));
    EXPECT_EQ(run.outcome.failedRows, 0);
    EXPECT_EQ(calls, 1);  // thin.run, named by 20 rows

    for (const std::string& text : {std::string("id,area,prm,par,age\r\nA,1,a,b,3\r\n"),
                                    std::string(""), std::string("\r\n\r\n")}) {
        bool written = false;
        const RegisterOutcome refused =
            RunRegister(folder.Write("h.csv", text), RegisterOptions{}, Loader(),
                        [&written](std::string_view) { return written = true; });
        EXPECT_TRUE(refused.refused) << text;
        EXPECT_FALSE(written) << text;
    }
    const RegisterOutcome missing = RunRegister(folder.dir.File("none.csv"), RegisterOptions{},
                                                Loader(), [](std::string_view) { return true; });
    EXPECT_TRUE(missing.refused);
    EXPECT_EQ(missing.error, "森林簿を開けません: " + folder.dir.File("none.csv"));
}

}  // namespace
}  // namespace mk
