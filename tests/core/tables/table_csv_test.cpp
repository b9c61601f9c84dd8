// CSV text of a table: the exact bytes a spreadsheet receives.

#include "core/tables/table_csv.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace mk::test {
namespace {

TEST(TableCsv, FieldsAreQuotedOnlyWhereTheyMustBe) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"上", "上"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"yes\"", "\"say \"\"yes\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"lf\nonly", "\"lf\nonly\""},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

TEST(TableCsv, NumbersReadBackAsExactlyTheSameValue) {
    for (double v : {0.1, 1.0 / 3.0, 2.675, 123456.789, 1e-7, 3085.0787229835937, -12.25}) {
        const std::string text = ExactNumberText(v);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, v) << text;
        EXPECT_EQ(text.find(','), std::string::npos);
    }
    EXPECT_EQ(ExactNumberText(-0.0), "0");
    EXPECT_EQ(ExactNumberText(150), "150");
    EXPECT_EQ(ExactNumberText(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(ExactNumberText(std::numeric_limits<double>::infinity()), "");
}

TableRow Row(int group, int age, bool listed, bool thinned) {
    TableRow row;
    row.group = group;
    row.listed = listed;
    row.thinned = thinned;
    row.year = YearRowValues{age, 10.25, 12.5, 1500, 20.5, 150.125, 8.5, 6.25, 0.75};
    row.thinning.ThinnedDbh = 11.5;
    row.thinning.StemsThinned = 300;
    row.thinning.StemThinningRate = 20;
    row.thinning.RyAfter = 0.625;
    row.totalYield = 180.5;
    return row;
}

TEST(TableCsv, PlanTableWithAThinningRowAPlainRowAndAYearOnlyEveryYearShows) {
    ResultTable table;
    table.kind = TableKind::Plan;
    table.rows = {Row(2, 24, false, false), Row(2, 25, true, true), Row(3, 30, true, false)};
    const std::string header =
        "\xEF\xBB\xBF計画(間伐回数),林齢(年),上層樹高(m),胸高直径(cm),本数(本/ha),"
        "胸高断面積(m2),幹材積(m3),連年成長量(m3),平均成長量(m3),収量比数,"
        "副林木平均胸高直径(cm),副林木本数(本/ha),副林木本数率(%),副林木胸高断面積(m2),"
        "副林木幹材積(m3),副林木材積率(%),副林木幹材積累計(m3),主林木平均胸高直径(cm),"
        "主林木本数(本/ha),主林木胸高断面積(m2),主林木幹材積(m3),主林木収量比数,"
        "総収穫量(m3)\r\n";
    const std::string stand = ",10.25,12.5,1500,20.5,150.125,8.5,6.25,0.75,";
    const std::string thinning = "11.5,300,20,0,0,0,0,0,0,0,0,0.625,";
    const std::string blanks = ",,,,,,,,,,,,";
    EXPECT_EQ(TableCsv(table, false), header + "2,25" + stand + thinning + "180.5\r\n" + "3,30" +
                                          stand + blanks + "180.5\r\n");
    EXPECT_EQ(TableCsv(table, true), header + "2,24" + stand + blanks + "180.5\r\n" + "2,25" +
                                         stand + thinning + "180.5\r\n" + "3,30" + stand + blanks +
                                         "180.5\r\n");
}

TEST(TableCsv, VolumeTableNamesTheSiteClassAndTheAgeClassOfAnyYear) {
    ResultTable table;
    table.kind = TableKind::Volume;
    table.rows = {Row(1, 1, false, false), Row(3, 98, true, false)};
    const std::string csv = TableCsv(table, true);
    EXPECT_NE(csv.find("\r\n上,1,1,10.25,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n下,20,98,10.25,"), std::string::npos) << csv;
    // A stand volume table has no total yield.
    EXPECT_TRUE(csv.ends_with(",0.75\r\n")) << csv;
}

}  // namespace
}  // namespace mk::test
