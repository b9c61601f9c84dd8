// The parameter-file readers against files no user would make: huge junk,
// files above the size limit, and a PAR file whose survey name leads out of
// its folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "support/peak_memory.h"
#include "support/test_files.h"

namespace mk {
namespace {

using test::Sjis;

// Big enough that a reader splitting every line would need far more than
// a few times the file; kept small so that the many cases stay quick.
constexpr long long kJunkSize = 16LL << 20;

struct HostileReader {
    const char* kind;
    std::string header;  // code page 932, with its line end
    std::function<bool(const std::string&, Messages&)> read;
    std::string refusal;  // after a good header and millions of empty lines
};

std::vector<HostileReader> Readers() {
    return {
        {"PRM", Sjis("林分密度管理図パラメータ\r\n"),
         [](const std::string& p, Messages& m) {
             DensityDiagramParameters d;
             return ReadPrmFile(p, d, m);
         },
         "2行目の数値が読めません。"},
        {"PAR", Sjis("上層樹高生長曲線計算結果\r\n"),
         [](const std::string& p, Messages& m) {
             HeightCurveParameters c;
             return ReadParFile(p, c, m);
         },
         "4行目の数値が読めません。"},
        {"HNP", Sjis("上層樹高－本数曲線式\r\n"),
         [](const std::string& p, Messages& m) {
             HnpParameters h;
             return ReadHnpFile(p, h, m);
         },
         "3行目の数値が読めません。"},
    };
}

TEST(HostileFiles, JunkIsRefusedInLittleMoreMemoryThanTheFile) {
    // Millions of empty lines, or one endless line of letters (the survey
    // name of a PAR file, after the header) or of blanks (the line of the
    // curve kind, after a short name line), with or without the right
    // header: refused as the first line that matters is seen.
    test::TempDir dir;
    const std::string path = dir.File("junk");
    for (const HostileReader& reader : Readers()) {
        for (const char fill : {'\n', 'x', ' '}) {
            for (const bool withHeader : {false, true}) {
                SCOPED_TRACE(std::string(reader.kind) + " fill '" + fill + "'" +
                             (withHeader ? " with header" : ""));
                const std::string head =
                    !withHeader ? "" : reader.header + (fill == ' ' ? "a\r\n" : "");
                test::WriteJunk(path.c_str(), kJunkSize, head.c_str(), fill);
                RecordingMessages messages;
                bool loaded = true;
                const auto growth =
                    test::PeakMemoryGrowth([&] { loaded = reader.read(path, messages); });
                EXPECT_FALSE(loaded);
                ASSERT_FALSE(messages.shown().empty());
                EXPECT_EQ(
                    messages.shown().back().text,
                    withHeader ? reader.refusal : "データの形式が違います。これは読めません。");
                if (growth) {
                    EXPECT_LT(*growth, 4 * kJunkSize + (8 << 20)) << *growth;
                }
            }
        }
    }
}

TEST(HostileFiles, SixtyMegabytesOfLineEndsStayWellUnderThreeHundred) {
    // Once 2.7 GB and 19 seconds before the file was refused.
    test::TempDir dir;
    const std::string path = dir.File("junk.prm");
    test::WriteJunk(path.c_str(), 60LL << 20);
    RecordingMessages messages;
    DensityDiagramParameters d;
    const auto growth =
        test::PeakMemoryGrowth([&] { EXPECT_FALSE(ReadPrmFile(path, d, messages)); });
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "データの形式が違います。これは読めません。");
    if (growth) {
        EXPECT_LT(*growth, 150LL << 20) << *growth;
    }
}

TEST(HostileFiles, AFileAboveTheLimitIsRefusedAsTooLarge) {
    test::TempDir dir;
    const std::string path = dir.File("big.prm");
    test::WriteBytes(path, "");
    // Sparse: the size is there without the disk space.
    ASSERT_EQ(::truncate(path.c_str(), (64LL << 20) + 1), 0);
    for (const HostileReader& reader : Readers()) {
        SCOPED_TRACE(reader.kind);
        RecordingMessages messages;
        EXPECT_FALSE(reader.read(path, messages));
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text,
                  "ファイルが大きすぎて読めません（64MBまで）。\r\n" + path);
        EXPECT_EQ(messages.shown()[0].title, std::string(reader.kind) + "ファイル読み込みエラー");
    }
    // At the limit itself the file is read (and refused for what it holds).
    ASSERT_EQ(::truncate(path.c_str(), 64LL << 20), 0);
    RecordingMessages messages;
    DensityDiagramParameters d;
    EXPECT_FALSE(ReadPrmFile(path, d, messages));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "データの形式が違います。これは読めません。");
}

TEST(HostileFiles, TheParSurveyNameNeverLeadsOutOfItsFolder) {
    // The tables are written into the folder of this source; whatever the
    // PAR file's line 2 says, that is the folder of the PAR file.
    const std::string rest =
        " 1 ＭITSCHERLICH式  （最適曲線）\r\n"
        "PARAMETER(1)   =  2.974376E+01\r\nPARAMETER(2)   =  1.038655E+00\r\n"
        "PARAMETER(3)   =  2.638742E-02\r\n変 動 帯 係 数 =  1.362999E-01\r\n"
        "残 差 平 方 和 =  3.092588E+02\r\n";
    const std::pair<const char*, const char*> cases[] = {
        {"../../elsewhere/s.dat", "/data/stand/s.dat"},
        {"/etc/s.dat", "/data/stand/s.dat"},
        {"sub/", "/data/stand/"},
        {"s.dat", "/data/stand/s.dat"},
    };
    for (const auto& [name, source] : cases) {
        const std::string bytes =
            Sjis(std::string("上層樹高生長曲線計算結果\r\nファイル名, ") + name + "\r\n" + rest);
        const auto par = ParseParBytes(bytes, "/data/stand/a.PAR", HeightCurveParameters{});
        ASSERT_TRUE(par.ok()) << name;
        EXPECT_EQ(par.record->HeightCurveSource, source) << name;
        const auto hnp = ParseHnpBytes(
            Sjis(std::string("上層樹高－本数曲線式\r\n") + name +
                 "\r\nPARAMETER(1)   =  1\r\nPARAMETER(2)   =  2\r\nPARAMETER(3)   =  3\r\n"
                 "PARAMETER(4)   =  4\r\n残差\r\n"),
            "/data/stand/a.HNP");
        ASSERT_TRUE(hnp.ok()) << name;
        EXPECT_EQ(hnp.record->HnpSource, source) << name;
    }
}

}  // namespace
}  // namespace mk
