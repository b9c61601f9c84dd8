// Carbon from stem volume with the inventory's factors and an INI file
// that changes them.

#include "core/register/carbon.h"

#include <gtest/gtest.h>

namespace mk {
namespace {

TEST(Carbon, InventoryDefaultsForSugiAndHinoki) {
    const CarbonTable table = CarbonTable::Defaults();
    const CarbonFactors* sugi = table.Find("スギ");
    const CarbonFactors* hinoki = table.Find("ヒノキ");
    ASSERT_TRUE(sugi && hinoki);
    // The young-stand factor holds up to and including age 20.
    EXPECT_DOUBLE_EQ(CarbonPerHa(*sugi, 100, 20), 100 * 0.314 * 1.57 * 1.25 * 0.51);
    EXPECT_DOUBLE_EQ(CarbonPerHa(*sugi, 100, 21), 100 * 0.314 * 1.23 * 1.25 * 0.51);
    EXPECT_DOUBLE_EQ(CarbonPerHa(*hinoki, 100, 20), 100 * 0.407 * 1.55 * 1.26 * 0.51);
    EXPECT_DOUBLE_EQ(CarbonPerHa(*hinoki, 100, 60), 100 * 0.407 * 1.24 * 1.26 * 0.51);
    EXPECT_DOUBLE_EQ(Co2Tonnes(12, 2.5), 12 * 2.5 * 44 / 12);

    // The names a register may use for them.
    for (const char* name : {"すぎ", "ｽｷﾞ", "杉", "SUGI", " sugi "})
        EXPECT_EQ(table.Find(name), sugi) << name;
    for (const char* name : {"ひのき", "桧", "檜", "Hinoki"})
        EXPECT_EQ(table.Find(name), hinoki) << name;
    EXPECT_EQ(table.Find("アカマツ"), nullptr);
    EXPECT_EQ(table.Find(""), nullptr);
}

TEST(Carbon, IniChangesFactorsAndAddsSpecies) {
    CarbonTable table = CarbonTable::Defaults();
    std::string error;
    ASSERT_TRUE(
        table.ApplyIni("\xEF\xBB\xBF; 最新の報告書の値\r\n[sugi]\r\nBefOld = 1.3\r\n\r\n"
                       "[アカマツ]\nWoodDensity = 0.451\nBefYoung = 1.63\nBefOld = 1.23\n"
                       "RootShootRatio = 0.26\nYoungUpToAge = 25\n",
                       error))
        << error;
    const CarbonFactors* sugi = table.Find("スギ");
    ASSERT_TRUE(sugi);
    EXPECT_EQ(sugi->BefOld, 1.3);
    EXPECT_EQ(sugi->BefYoung, 1.57);  // what the file leaves out stays
    const CarbonFactors* pine = table.Find("あかまつ");
    ASSERT_TRUE(pine);
    EXPECT_DOUBLE_EQ(CarbonPerHa(*pine, 10, 25), 10 * 0.451 * 1.63 * 1.26 * 0.51);
    EXPECT_DOUBLE_EQ(CarbonPerHa(*pine, 10, 26), 10 * 0.451 * 1.23 * 1.26 * 0.51);
}

TEST(Carbon, FaultyIniIsRefusedWholeWithItsLine) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"[スギ]\nBefOld = 1.3\nDensity = 0.3\n", "3行目: 知らないキーです: Density"},
        {"[スギ]\nBefOld = x\n", "2行目: BefOld の値が 0 以上の数ではありません"},
        {"[スギ]\nBefOld = -1\n", "2行目: BefOld の値が 0 以上の数ではありません"},
        {"BefOld = 1\n", "1行目: 樹種の節（[スギ] など）の前に値があります"},
        {"[スギ\n", "1行目: 節の見出しが閉じていません"},
        {"[スギ]\nBefOld\n", "2行目: 「キー = 値」の形ではありません"},
        {"[スギ]\nYoungUpToAge = 20.5\n", "2行目: YoungUpToAge は整数です"},
        {"[ケヤキ]\nWoodDensity = 0.6\n", "1行目: 新しい樹種 ケヤキ に BefYoung がありません"},
    };
    for (const Case& c : cases) {
        CarbonTable table = CarbonTable::Defaults();
        std::string error;
        EXPECT_FALSE(table.ApplyIni(c.text, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
    // Nothing of a refused file is taken, not even its good sections.
    CarbonTable table = CarbonTable::Defaults();
    std::string error;
    EXPECT_FALSE(table.ApplyIni("[ヒノキ]\nBefOld = 9\n[スギ]\nDensity = 0.3\n", error));
    EXPECT_EQ(error, "4行目: 知らないキーです: Density");
    EXPECT_EQ(table.Find("ヒノキ")->BefOld, 1.24);
}

}  // namespace
}  // namespace mk
