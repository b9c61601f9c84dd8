// The text side of a register: encodings, CSV fields and the header's
// column names.

#include <gtest/gtest.h>

#include "core/register/register_columns.h"
#include "core/register/register_csv.h"
#include "support/test_files.h"

namespace mk {
namespace {

TEST(RegisterEncoding, BomUtf8AndShiftJisAreTold) {
    const std::string japanese = "区画ID,面積,林齢\r\nA-1,1.5,20\r\n";
    const std::string sjis = test::Sjis(japanese);
    struct Case {
        std::string head;
        RegisterEncoding encoding;
        std::size_t bom;
    } cases[] = {
        {"\xEF\xBB\xBF" + japanese, RegisterEncoding::Utf8, 3},
        {japanese, RegisterEncoding::Utf8, 0},
        {"id,area,age\n", RegisterEncoding::Utf8, 0},
        {sjis, RegisterEncoding::Cp932, 0},
        // A head read from a larger file may end inside a character.
        {japanese.substr(0, 4), RegisterEncoding::Utf8, 0},
        // Half-width katakana in Shift_JIS are single high bytes.
        {test::Sjis("ｽｷﾞ,1"), RegisterEncoding::Cp932, 0},
    };
    for (const Case& c : cases) {
        const EncodingGuess guess = DetectRegisterEncoding(c.head);
        EXPECT_EQ(guess.encoding, c.encoding) << c.head;
        EXPECT_EQ(guess.bomLength, c.bom) << c.head;
    }
    EXPECT_EQ(DecodeRegisterLine(sjis.substr(0, sjis.find('\r')), RegisterEncoding::Cp932),
              "区画ID,面積,林齢");
    EXPECT_FALSE(DecodeRegisterLine("\xE5\x8C", RegisterEncoding::Utf8));
    EXPECT_FALSE(DecodeRegisterLine("\xED\xA0\x80", RegisterEncoding::Utf8));  // a surrogate
    EXPECT_FALSE(DecodeRegisterLine("\x81", RegisterEncoding::Cp932));
}

TEST(CsvLine, FieldsQuotesAndEmptyCells) {
    struct Case {
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a,,c,", {"a", "", "c", ""}},
        {"", {""}},
        {"\"杉林, 北\",1.5", {"杉林, 北", "1.5"}},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"  \"q\"  ,x", {"q", "x"}},
        {"\"\",x", {"", "x"}},
    };
    std::vector<std::string> fields;
    for (const Case& c : cases) {
        ASSERT_TRUE(SplitCsvLine(c.line, fields)) << c.line;
        EXPECT_EQ(fields, c.fields) << c.line;
    }
    EXPECT_FALSE(SplitCsvLine("a,\"open", fields));
    EXPECT_FALSE(SplitCsvLine("\"a\"\"", fields));

    // What CsvField writes reads back as the same field.
    for (std::string text : {"plain", "a,b", "say \"hi\"", ""}) {
        ASSERT_TRUE(SplitCsvLine(CsvField(text) + ",z", fields));
        EXPECT_EQ(fields.front(), text);
    }
    EXPECT_EQ(CsvField("A-1"), "A-1");
}

TEST(RegisterHeader, JapaneseEnglishAndWidthVariantsNameTheSameColumns) {
    struct Case {
        const char* header;
        std::optional<RegisterColumn> column;
    } cases[] = {
        {"区画ID", RegisterColumn::Id},
        {"ID", RegisterColumn::Id},
        {"面積(ha)", RegisterColumn::Area},
        {"面積（ｈａ）", RegisterColumn::Area},
        {" Area ", RegisterColumn::Area},
        {"ＰＲＭ", RegisterColumn::Prm},
        {"par_file", RegisterColumn::Par},
        {"地位", RegisterColumn::Site},
        {"上層樹高 [m]", RegisterColumn::Height},
        {"林　齢", RegisterColumn::Age},
        {"立木本数(本/ha)", RegisterColumn::Stems},
        {"stems", RegisterColumn::Stems},
        {"施業", RegisterColumn::RunFile},
        {"じゅしゅ", std::nullopt},
        {"樹種", RegisterColumn::Species},
        {"所有者", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ColumnOfHeader(c.header), c.column) << c.header;
}

TEST(RegisterHeader, RequiredColumnsAndColumnsNamedTwice) {
    std::string error;
    const auto header =
        MapRegisterHeader({"所有者", "id", "area", "prm", "par", "height", "age", "備考"}, error);
    ASSERT_TRUE(header) << error;
    EXPECT_EQ((*header)[RegisterColumn::Id], 1);
    EXPECT_EQ((*header)[RegisterColumn::Age], 6);
    EXPECT_FALSE(header->Has(RegisterColumn::Site));
    EXPECT_FALSE(header->Has(RegisterColumn::Stems));

    EXPECT_FALSE(MapRegisterHeader({"id", "area", "prm", "par", "age"}, error));
    EXPECT_EQ(error, "見出し行に必要な列がありません：地位または上層樹高");
    EXPECT_FALSE(MapRegisterHeader({"id", "prm", "地位", "age"}, error));
    EXPECT_EQ(error, "見出し行に必要な列がありません：面積、PAR");
    EXPECT_FALSE(MapRegisterHeader({"id", "面積", "area", "prm", "par", "地位", "age"}, error));
    EXPECT_EQ(error, "列「area」が「面積」と同じ項目です。");
}

}  // namespace
}  // namespace mk
