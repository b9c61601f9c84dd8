// Rows, headings and rules of the table files.

#include "core/yield/table_report.h"

#include <gtest/gtest.h>

#include "core/text/cp932.h"

namespace mk::test {
namespace {

YearRowValues SampleYear() {
    return YearRowValues{30, 15.66, 16.14, 2533.4, 52.55, 382.64, 17.35, 12.754, 0.805};
}

ThinningBookkeeping SampleThinning() {
    ThinningBookkeeping t;
    t.ThinnedDbh = 12.55;
    t.StemsThinned = 633.35;
    t.StemThinningRate = 25;
    t.BasalAreaThinned = 6.95;
    t.VolumeThinned = 53.25;
    t.VolumeThinningRate = 14;
    t.CumulativeThinnedVolume = 53.25;
    t.DbhAfter = 17.25;
    t.StemsAfter = 1900.05;
    t.BasalAreaAfter = 45.6;
    t.VolumeAfter = 329.39;
    t.RyAfter = 0.685;
    return t;
}

TEST(TableReport, ThinningAndPlainRowsShareTheir132Columns) {
    const std::string thin = ThinningRow(SampleYear(), SampleThinning(), 382.64);
    EXPECT_EQ(thin,
              "  30  15.7  16.1  2533  52.6  382.6  17.4  12.8  0.81 12.6   633  25   7.0  53.3  14"
              "   53.3  17.3  1900  45.6  329.4 0.69  382.6  30\r\n");
    const std::string plain = PlainRow(SampleYear(), 382.64);
    EXPECT_EQ(plain, "  30  15.7  16.1  2533  52.6  382.6  17.4  12.8  0.81" +
                         std::string(68, ' ') + "  382.6  30\r\n");
    EXPECT_EQ(thin.size(), 134u);
    EXPECT_EQ(plain.size(), thin.size());
}

TEST(TableReport, AWideValueShiftsTheRestOfItsLine) {
    YearRowValues year = SampleYear();
    year.volume = 104300.0;
    const std::string row = PlainRow(year, 123456.78);
    EXPECT_EQ(row, "  30  15.7  16.1  2533  52.6104300.0  17.4  12.8  0.81" + std::string(68, ' ') +
                       "123456.8  30\r\n");
    EXPECT_EQ(row.size(), 136u);
}

TEST(TableReport, ANegativeGrowthKeepsItsSign) {
    YearRowValues year = SampleYear();
    year.growth = -3.25;
    EXPECT_EQ(PlainRow(year, 1).substr(35, 6), "  -3.3");
    year.growth = -0.04;
    EXPECT_EQ(PlainRow(year, 1).substr(35, 6), "   0.0");
}

TEST(TableReport, StandVolumeRowsCarryTheirAgeClass) {
    YearRowValues year = SampleYear();
    year.age = 98;
    EXPECT_EQ(VolumeRow(year), "  20  98  15.7  16.1  2533  52.6  382.6  17.4  12.8  0.81\r\n");
    year.age = 3;
    EXPECT_EQ(VolumeRow(year).substr(0, 8), "   1   3");
}

TEST(TableReport, HeadingsRulesAndFormFeed) {
    const std::string heading = YieldTableHeading("a.prm", "b.PAR", "中", "林齢と間伐率");
    EXPECT_EQ(heading.substr(0, heading.find("\r\n")),
              "林分収穫予測表    使用ファイル：a.prm & b.PAR");
    EXPECT_NE(heading.find("\r\n  （地位中    間伐方式林齢と間伐率）\r\n\r\n─"), std::string::npos);
    // 16 lines, every heading row 134 columns in code page 932.
    int lines = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = heading.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        const std::string line = heading.substr(start, end - start);
        if (lines >= 3) {
            EXPECT_EQ(Utf8ToCp932(line)->size(), 134u) << lines;
        }
        ++lines;
    }
    EXPECT_EQ(lines, 16);

    const std::string volume = VolumeTableHeading("上", "a.prm", "b.PAR", "c.HNP");
    EXPECT_EQ(volume.substr(0, volume.find("\r\n")), "        林分材積表     （地位 上）");
    EXPECT_NE(volume.find("\r\n  使用ファイル：a.prm, b.PAR, c.HNP\r\n"), std::string::npos);

    std::string rule;
    for (int i = 0; i < 29; ++i) rule += "\x84\x9f";
    EXPECT_EQ(Utf8ToCp932(RuleLine(29)).value(), rule + "\r\n");
    EXPECT_EQ(FormFeedLine(), "\f\r\n");
}

}  // namespace
}  // namespace mk::test
