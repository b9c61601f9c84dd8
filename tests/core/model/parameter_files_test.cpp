// The PRM, PAR and HNP readers and writers: exact messages, all-or-nothing
// loading, exact bytes written.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/par_hnp_layout.h"
#include "core/model/prm_file.h"
#include "model_test_support.h"
#include "support/test_files.h"

namespace mk {
namespace {

using test::Sjis;
using test::SourcePath;
using test::TempDir;
using test::WriteBytes;

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return Sjis(text);
}

std::vector<std::string> PrmLines() {
    return {"林分密度管理図パラメータ",
            "1",
            "0.084",
            "-1.5",
            "5490",
            "-2.7",
            "0.9",
            "0.38",
            "0.05",
            "0",
            "0.98",
            "0.02",
            "5.3",
            "-1.4",
            "1",
            "2",
            "0.4",
            "0",
            "0"};
}

std::vector<std::string> ParLines() {
    return {"上層樹高生長曲線計算結果",         "ファイル名, a.dat",
            " 1 ＭITSCHERLICH式  （最適曲線）", "PARAMETER(1)   =  2.974376E+01",
            "PARAMETER(2)   =  1.038655E+00",   "PARAMETER(3)   =  2.638742E-02",
            "変 動 帯 係 数 =  1.362999E-01",   "残 差 平 方 和 =  3.092588E+02"};
}

std::vector<std::string> HnpLines() {
    return {"上層樹高－本数曲線式",           "a.dat",
            "PARAMETER(1)   =  2.494165E+03", "PARAMETER(2)   =  7.488457E+00",
            "PARAMETER(3)   =  1.387175E-01", "PARAMETER(4)   =  3.086880E+03",
            "残 差 平 方 和 =  1.220472E+06"};
}

ShownMessage Msg(std::string text, std::string title, MessageIcon icon) {
    return {std::move(text), std::move(title), icon, MessageButtons::Ok};
}

void ExpectShown(const RecordingMessages& messages, const std::vector<ShownMessage>& expected) {
    ASSERT_EQ(messages.shown().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messages.shown()[i].text, expected[i].text) << i;
        EXPECT_EQ(messages.shown()[i].title, expected[i].title) << i;
        EXPECT_EQ(messages.shown()[i].icon, expected[i].icon) << i;
        EXPECT_EQ(messages.shown()[i].buttons, MessageButtons::Ok) << i;
    }
}

const char* const kWrongFormat = "データの形式が違います。これは読めません。";

// ---------------------------------------------------------------- PRM

TEST(PrmFile, ReadsTheExampleDiagrams) {
    RecordingMessages messages;
    DensityDiagramParameters d;
    ASSERT_TRUE(ReadPrmFile(SourcePath("examples/sugi_type1.prm"), d, messages));
    EXPECT_TRUE(messages.shown().empty());
    DensityDiagramParameters expected = test::SugiDiagram(1.0);
    expected.Prm[16] = 0.0;  // type 1 stores no full-density volume line
    expected.Prm[17] = 0.0;
    EXPECT_EQ(d, expected);
    ASSERT_TRUE(ReadPrmFile(SourcePath("examples/sugi_type2.prm"), d, messages));
    EXPECT_EQ(d, test::SugiDiagram(2.0));
}

TEST(PrmFile, HeaderIsComparedIgnoringWidthAndKanaType) {
    for (const char* header : {"林分密度管理図ﾊﾟﾗﾒｰﾀ", "林分密度管理図ぱらめーた"}) {
        std::vector<std::string> lines = PrmLines();
        lines[0] = header;
        const auto outcome = ParsePrmBytes(Lines(lines));
        EXPECT_TRUE(outcome.ok()) << header;
        EXPECT_TRUE(outcome.messages.empty()) << header;
    }
}

TEST(PrmFile, LinesAfterTheNineteenthAreIgnoredWithoutWarning) {
    std::vector<std::string> lines = PrmLines();
    for (int i = 0; i < 6; ++i) lines.push_back("メモ: not a number");
    const auto outcome = ParsePrmBytes(Lines(lines));
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(outcome.record->Prm[17], 0.0);
}

TEST(PrmFile, NumbersMayHaveBlanksAndExponents) {
    std::vector<std::string> lines = PrmLines();
    lines[3] = "  1.5E-03";
    lines[4] = "5.49e+03  ";
    lines[5] = "-.5";
    lines[6] = "3.";
    const auto outcome = ParsePrmBytes(Lines(lines));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.record->Prm[2], 0.0015);
    EXPECT_EQ(outcome.record->Prm[3], 5490.0);
    EXPECT_EQ(outcome.record->Prm[4], -0.5);
    EXPECT_EQ(outcome.record->Prm[5], 3.0);
    EXPECT_TRUE(outcome.record->DensityDiagramLoaded);
}

TEST(PrmFile, AcceptsLfOnlyLineEnds) {
    std::string text;
    for (const std::string& line : PrmLines()) text += line + "\n";
    EXPECT_TRUE(ParsePrmBytes(Sjis(text)).ok());
}

TEST(PrmFile, WritesTypeOneWithoutTheVolumeLine) {
    TempDir dir;
    DensityDiagramParameters d = test::SugiDiagram(1.0);
    RecordingMessages messages;
    ASSERT_TRUE(WritePrmFile(dir.File("a.prm"), d, messages));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(test::ReadBytes(dir.File("a.prm")), Lines(PrmLines()));
    // The record itself follows what was stored.
    EXPECT_EQ(d.Prm[16], 0.0);
    EXPECT_EQ(d.Prm[17], 0.0);
}

TEST(PrmFile, WritesTypeTwoWithItsVolumeLineAndReadsItBack) {
    TempDir dir;
    DensityDiagramParameters d = test::SugiDiagram(2.0);
    d.Prm[5] = 1.5e-6;
    d.Prm[9] = 0.1 + 0.2;  // needs 17 digits to open again unchanged
    RecordingMessages messages;
    ASSERT_TRUE(WritePrmFile(dir.File("b.prm"), d, messages));
    std::vector<std::string> lines = PrmLines();
    lines[1] = "2";
    lines[6] = "1.5E-06";
    lines[10] = "0.30000000000000004";
    lines[17] = "6.3719";
    lines[18] = "-1.02";
    EXPECT_EQ(test::ReadBytes(dir.File("b.prm")), Lines(lines));
    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(dir.File("b.prm"), back, messages));
    EXPECT_EQ(back.Prm[17], -1.02);
    EXPECT_EQ(back.Prm[5], 1.5e-6);
    EXPECT_EQ(back.Prm[9], 0.1 + 0.2);
}

TEST(PrmFile, ExampleFileIsWhatTheWriterWrites) {
    // The example set is generated by a script; it must match the program's
    // own form byte for byte so that saving it unchanged changes nothing.
    TempDir dir;
    RecordingMessages messages;
    for (const char* name : {"examples/sugi_type1.prm", "examples/sugi_type2.prm"}) {
        DensityDiagramParameters d;
        ASSERT_TRUE(ReadPrmFile(SourcePath(name), d, messages));
        ASSERT_TRUE(WritePrmFile(dir.File("c.prm"), d, messages));
        EXPECT_EQ(test::ReadBytes(dir.File("c.prm")), test::ReadBytes(SourcePath(name))) << name;
    }
}

TEST(PrmFile, ValuesThatNeedMoreThanFifteenDigitsOpenAgainUnchanged) {
    TempDir dir;
    std::vector<std::string> lines = PrmLines();
    lines[3] = "1.7976931348623157E+308";  // fifteen digits would overflow
    lines[4] = "-1.7976931348623157E+308";
    lines[5] = "0.30000000000000004";
    WriteBytes(dir.File("max.prm"), Lines(lines));
    RecordingMessages messages;
    DensityDiagramParameters d;
    ASSERT_TRUE(ReadPrmFile(dir.File("max.prm"), d, messages));
    ASSERT_TRUE(WritePrmFile(dir.File("again.prm"), d, messages));
    EXPECT_EQ(test::ReadBytes(dir.File("again.prm")), Lines(lines));
    DensityDiagramParameters back;
    ASSERT_TRUE(ReadPrmFile(dir.File("again.prm"), back, messages));
    EXPECT_EQ(back.Prm, d.Prm);
    EXPECT_TRUE(messages.shown().empty());

    // A value that is not a number is refused before anything is written.
    d.Prm[3] = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(WritePrmFile(dir.File("again.prm"), d, messages));
    EXPECT_EQ(test::ReadBytes(dir.File("again.prm")), Lines(lines));
    ExpectShown(messages, {Msg("ファイルに書き込めません。\r\n" + dir.File("again.prm"),
                               "ファイル書き込みエラー", MessageIcon::Error)});
}

TEST(PrmFile, WriteFailureIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    DensityDiagramParameters d = test::SugiDiagram();
    RecordingMessages messages;
    const std::string missing = dir.File("no/such/folder/a.prm");
    EXPECT_FALSE(WritePrmFile(missing, d, messages));
    ExpectShown(messages, {Msg("ファイルに書き込めません。\r\n" + missing, "ファイル書き込みエラー",
                               MessageIcon::Error)});
}

TEST(PrmFile, MissingFileIsReportedAndNothingChanges) {
    TempDir dir;
    DensityDiagramParameters d = test::SugiDiagram();
    RecordingMessages messages;
    const std::string path = dir.File("gone.prm");
    EXPECT_FALSE(ReadPrmFile(path, d, messages));
    ExpectShown(messages, {Msg("ファイルを開けません。\r\n" + path, "PRMファイル読み込みエラー",
                               MessageIcon::Error)});
    EXPECT_EQ(d, test::SugiDiagram());
}

// ---------------------------------------------------------------- PAR

TEST(ParFile, ReadsTheExampleCurve) {
    RecordingMessages messages;
    HeightCurveParameters c;
    const std::string path = SourcePath("examples/sugi.PAR");
    ASSERT_TRUE(ReadParFile(path, c, messages));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(c.CurveKind, 1);
    EXPECT_EQ(c.CurveM, 29.74376);
    EXPECT_EQ(c.CurveB, 1.038655);
    EXPECT_EQ(c.CurveK, 0.02638742);
    EXPECT_EQ(c.BandCoefficient, 0.1362999);
    EXPECT_EQ(c.ResidualSumOfSquares, 309.2588);
    EXPECT_TRUE(c.HeightCurveLoaded);
    EXPECT_EQ(c.HeightCurveSource, SourcePath("examples/sugi_survey.dat"));
}

TEST(ParFile, SourceIsThePARFolderPlusTheSurveyName) {
    const auto outcome = ParseParBytes(Lines(ParLines()), "/data/curves/x.PAR", {});
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.record->HeightCurveSource, "/data/curves/a.dat");
    // A path without a folder leaves the name alone.
    EXPECT_EQ(ParseParBytes(Lines(ParLines()), "x.PAR", {}).record->HeightCurveSource, "a.dat");
}

TEST(ParFile, SurveyNameIsTheSecondFieldOfLineTwo) {
    const std::pair<const char*, const char*> cases[] = {
        {"ファイル名, a.dat", "a.dat"},           {"ファイル名,a.dat", "a.dat"},
        {"ファイル名,   \"b c.dat\"", "b c.dat"}, {"\"ファイル名, 1\", d.dat", "d.dat"},
        {"ファイル名, e.dat  ", "e.dat"},         {"ファイル名", ""},
    };
    for (const auto& [line, name] : cases) {
        std::vector<std::string> lines = ParLines();
        lines[1] = line;
        const auto outcome = ParseParBytes(Lines(lines), "/d/x.PAR", {});
        ASSERT_TRUE(outcome.ok()) << line;
        EXPECT_EQ(outcome.record->HeightCurveSource, std::string("/d/") + name) << line;
    }
}

TEST(ParFile, CurveKindComesFromTheFirstNonEmptyOfTheFirstTwoParts) {
    HeightCurveParameters previous;
    previous.CurveKind = 3;
    const std::pair<const char*, int> cases[] = {
        {" 2 logistic式       ", 2},  // leading blank: the second part
        {"2 logistic式       ", 2},   // the first part
        {"12 ＧOMPERTZ式 x", 12},     // taken as it stands
        {"  ＭITSCHERLICH式 x", 0},   // both parts empty
        {" 1", 3},                    // two parts: left as it was
        {"1", 3},                     // one part
        {"", 3},
    };
    for (const auto& [line, kind] : cases) {
        std::vector<std::string> lines = ParLines();
        lines[2] = line;
        const auto outcome = ParseParBytes(Lines(lines), "x.PAR", previous);
        ASSERT_TRUE(outcome.ok()) << line;
        EXPECT_EQ(outcome.record->CurveKind, kind) << "'" << line << "'";
    }
}

TEST(ParFile, LabelsCountOnlyByTheirLength) {
    std::vector<std::string> lines = ParLines();
    lines[3] = "P(1) edited     =  3.000000E+01";     // still 17 characters
    lines[6] = "帯係数　　　　　　 =  2.000000E-01";  // still 12 characters before the value
    auto outcome = ParseParBytes(Lines(lines), "x.PAR", {});
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.record->CurveM, 30.0);

    lines = ParLines();
    lines[4] = "PARAMETER(2)    :=  1.038655E+00";  // a longer label
    outcome = ParseParBytes(Lines(lines), "x.PAR", {});
    EXPECT_FALSE(outcome.ok());
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, "5行目の数値が読めません。");
}

// ---------------------------------------------------------------- HNP

TEST(HnpFile, ReadsTheExampleCurve) {
    RecordingMessages messages;
    HnpParameters h;
    ASSERT_TRUE(ReadHnpFile(SourcePath("examples/sugi.HNP"), h, messages));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(h.P1, 2494.165);
    EXPECT_EQ(h.P2, 7.488457);
    EXPECT_EQ(h.P3, 0.1387175);
    EXPECT_EQ(h.P4, 3086.88);
    EXPECT_EQ(h.HnpSource, SourcePath("examples/sugi_survey.dat"));
    EXPECT_TRUE(h.HnpLoaded);
    EXPECT_EQ(HnpStems(h, 20.0), 1523.6580496527386);
}

TEST(HnpFile, ResidualLineIsNeverConverted) {
    std::vector<std::string> lines = HnpLines();
    lines[6] = "残差平方和は省略";
    EXPECT_TRUE(ParseHnpBytes(Lines(lines), "/d/x.HNP").ok());

    lines.pop_back();  // and its absence only warns
    const auto outcome = ParseHnpBytes(Lines(lines), "/d/x.HNP");
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.record->HnpSource, "/d/a.dat");
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0],
              (FileMessage{"ライン数が7ではない!", "HNPファイル読み込み", MessageIcon::Warning}));
}

TEST(ParameterRecords, ClearingResetsEveryField) {
    HeightCurveParameters c;
    c.HeightCurveSource = "x";
    c.CurveKind = 2;
    c.CurveM = 3;
    c.HeightCurveLoaded = true;
    ClearHeightCurve(c);
    EXPECT_EQ(c, HeightCurveParameters{});
    HnpParameters h;
    h.P4 = 3;
    h.HnpSource = "y";
    h.HnpLoaded = true;
    ClearHnp(h);
    EXPECT_EQ(h, HnpParameters{});
}

// ------------------------------------------------- layout of PAR and HNP

TEST(ParHnpLayout, ParFileTextIsTheEightLines) {
    EXPECT_EQ(ParFileText("a.dat", 2, true, 28.5, 12.25, 0.0875, 0.136, 309.2588),
              "上層樹高生長曲線計算結果\r\n"
              "ファイル名, a.dat\r\n"
              " 2 logistic式       （最適曲線）\r\n"
              "PARAMETER(1)   =  2.850000E+01\r\n"
              "PARAMETER(2)   =  1.225000E+01\r\n"
              "PARAMETER(3)   =  8.750000E-02\r\n"
              "変 動 帯 係 数 =  1.360000E-01\r\n"
              "残 差 平 方 和 =  3.092588E+02\r\n");
    const std::string plain = ParFileText("b.dat", 3, false, -1.0, 0, 0, 0, 0);
    EXPECT_NE(plain.find("\r\n 3 ＧOMPERTZ式      \r\nPARAMETER(1)   = -1.000000E+00\r\n"),
              std::string::npos);
}

TEST(ParHnpLayout, HnpFileTextIsTheSevenLines) {
    EXPECT_EQ(HnpFileText("a.dat", 2494.165, 7.488457, 0.1387175, 3086.88, 1220472.0),
              "上層樹高－本数曲線式\r\n"
              "a.dat\r\n"
              "PARAMETER(1)   =  2.494165E+03\r\n"
              "PARAMETER(2)   =  7.488457E+00\r\n"
              "PARAMETER(3)   =  1.387175E-01\r\n"
              "PARAMETER(4)   =  3.086880E+03\r\n"
              "残 差 平 方 和 =  1.220472E+06\r\n");
}

TEST(ParHnpLayout, WhatIsWrittenReadsBack) {
    const std::string par =
        Sjis(ParFileText("s.dat", 1, false, -12.5, 1.04, 0.026, 0.136, 1.5e-120));
    const auto curve = ParseParBytes(par, "/d/s.PAR", {});
    ASSERT_TRUE(curve.ok());
    EXPECT_EQ(curve.record->CurveKind, 1);
    EXPECT_EQ(curve.record->CurveM, -12.5);
    EXPECT_EQ(curve.record->ResidualSumOfSquares, 1.5e-120);
    EXPECT_EQ(curve.record->HeightCurveSource, "/d/s.dat");

    const auto hnp = ParseHnpBytes(Sjis(HnpFileText("s.dat", 1, 2, 3, 4, 5)), "/d/s.HNP");
    ASSERT_TRUE(hnp.ok());
    EXPECT_EQ(hnp.record->P4, 4.0);
    EXPECT_EQ(hnp.record->HnpSource, "/d/s.dat");
}

TEST(ParHnpLayout, SurveyNamesWithCommasOrOuterBlanksReadBack) {
    // Found by fuzzing: a name of one blank was written unquoted and came
    // back empty. Plain names keep their unquoted form.
    const struct {
        const char* name;
        const char* line2;
    } cases[] = {{"a.dat", "ファイル名, a.dat"},
                 {" ", "ファイル名, \" \""},
                 {" lead.dat", "ファイル名, \" lead.dat\""},
                 {"trail.dat ", "ファイル名, \"trail.dat \""},
                 {"a,b.dat", "ファイル名, \"a,b.dat\""},
                 {"mid\"dle.dat", "ファイル名, mid\"dle.dat"}};
    for (const auto& c : cases) {
        const std::string text = ParFileText(c.name, 1, false, 30, 1, 0.05, 0.1, 2);
        EXPECT_EQ(text.substr(text.find("\r\n") + 2, std::string(c.line2).size() + 2),
                  std::string(c.line2) + "\r\n");
        const auto curve = ParseParBytes(Sjis(text), "/d/s.PAR", {});
        ASSERT_TRUE(curve.ok()) << c.name;
        EXPECT_EQ(curve.record->HeightCurveSource, std::string("/d/") + c.name);
    }
}

TEST(ParHnpLayout, KindsWithoutANameReadBack) {
    // Found by fuzzing: kind 32 was written as "32 " and read back as no kind.
    for (int kind : {0, 5, 32, -7}) {
        const auto curve = ParseParBytes(
            Sjis(ParFileText("a.dat", kind, false, 30, 1, 0.05, 0.1, 2)), "/d/s.PAR", {});
        ASSERT_TRUE(curve.ok()) << kind;
        EXPECT_EQ(curve.record->CurveKind, kind);
    }
}

TEST(ParHnpLayout, ExampleFilesHaveTheProgramsLayout) {
    // Re-laying out the example's values must give its bytes back.
    RecordingMessages messages;
    HeightCurveParameters c;
    ASSERT_TRUE(ReadParFile(SourcePath("examples/sugi.PAR"), c, messages));
    EXPECT_EQ(Sjis(ParFileText("sugi_survey.dat", c.CurveKind, true, c.CurveM, c.CurveB, c.CurveK,
                               c.BandCoefficient, c.ResidualSumOfSquares)),
              test::ReadBytes(SourcePath("examples/sugi.PAR")));
    HnpParameters h;
    ASSERT_TRUE(ReadHnpFile(SourcePath("examples/sugi.HNP"), h, messages));
    EXPECT_EQ(Sjis(HnpFileText("sugi_survey.dat", h.P1, h.P2, h.P3, h.P4, 1220472.0)),
              test::ReadBytes(SourcePath("examples/sugi.HNP")));
}

}  // namespace
}  // namespace mk
