// Every reader against broken files: the exact messages, and the record
// loaded before stays exactly as it was.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "support/test_files.h"

namespace mk {
namespace {

using test::Sjis;
using test::SourcePath;

// The raw lines of an example file, to be broken one at a time.
std::vector<std::string> ExampleLines(const char* name) {
    const std::string bytes = test::ReadBytes(SourcePath(name));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string RawJoin(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string Replace(const char* name, int number, const std::string& rawBytes) {
    std::vector<std::string> lines = ExampleLines(name);
    lines[static_cast<std::size_t>(number - 1)] = rawBytes;
    return RawJoin(lines);
}

std::string Cut(const char* name, int keep) {
    std::vector<std::string> lines = ExampleLines(name);
    lines.resize(static_cast<std::size_t>(keep));
    return RawJoin(lines);
}

const std::string kBinary("\x00\x01\x02\xff\xfe\x89PNG\r\n\x1a\n\x00\x00\x80\x81", 16);
const std::string kInvalidCp932 = "\x81\x7f\xff";  // a lead byte with no valid trail

struct Expected {
    std::string text;
    std::string title;
    MessageIcon icon;
};

struct Case {
    const char* what;
    std::string bytes;
    std::vector<Expected> messages;
};

Expected Error(const std::string& text, const std::string& kind) {
    return {text, kind + "ファイル読み込みエラー", MessageIcon::Error};
}
Expected Warning(int lines, const std::string& kind) {
    return {"ライン数が" + std::to_string(lines) + "ではない!", kind + "ファイル読み込み",
            MessageIcon::Warning};
}
const std::string kWrong = "データの形式が違います。これは読めません。";
std::string Line(int n) { return std::to_string(n) + "行目の数値が読めません。"; }

// One reader: reads the good example first, then each broken file.
struct Reader {
    const char* example;
    const char* kind;
    std::function<bool(const std::string&, Messages&)> read;  // false: refused
    std::function<bool()> unchangedSinceExample;
};

void RunCases(const Reader& reader, const std::vector<Case>& cases) {
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(reader.kind) + ": " + c.what);
        const std::string path = dir.File("broken.txt");
        test::WriteBytes(path, c.bytes);
        RecordingMessages messages;
        EXPECT_FALSE(reader.read(path, messages));
        ASSERT_EQ(messages.shown().size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(messages.shown()[i].text, c.messages[i].text);
            EXPECT_EQ(messages.shown()[i].title, c.messages[i].title);
            EXPECT_EQ(messages.shown()[i].icon, c.messages[i].icon);
        }
        EXPECT_TRUE(reader.unchangedSinceExample());
    }
}

TEST(MalformedFiles, PrmReaderRefusesAndKeepsTheLoadedDiagram) {
    const char* ex = "examples/sugi_type2.prm";
    DensityDiagramParameters loaded;
    RecordingMessages quiet;
    ASSERT_TRUE(ReadPrmFile(SourcePath(ex), loaded, quiet));
    const DensityDiagramParameters before = loaded;
    const std::string k = "PRM";
    const std::vector<Case> cases = {
        {"wrong header", Replace(ex, 1, Sjis("林分密度管理図データ")), {Error(kWrong, k)}},
        {"header of another file", Sjis("上層樹高生長曲線計算結果\r\n"), {Error(kWrong, k)}},
        {"empty file", "", {Error(kWrong, k)}},
        {"binary garbage", kBinary, {Error(kWrong, k)}},
        {"header not code page 932", Replace(ex, 1, kInvalidCp932), {Error(kWrong, k)}},
        {"short file", Cut(ex, 12), {Warning(19, k), Error(Line(13), k)}},
        {"header only", Cut(ex, 1), {Warning(19, k), Error(Line(2), k)}},
        {"text instead of a number", Replace(ex, 7, "abc"), {Error(Line(7), k)}},
        {"empty value line", Replace(ex, 4, ""), {Error(Line(4), k)}},
        {"two numbers on a line", Replace(ex, 19, "1 2"), {Error(Line(19), k)}},
        {"very long line", Replace(ex, 5, std::string(300000, 'x')), {Error(Line(5), k)}},
        {"value not code page 932", Replace(ex, 9, "1" + kInvalidCp932), {Error(Line(9), k)}},
    };
    RunCases({ex, "PRM",
              [&](const std::string& path, Messages& m) { return ReadPrmFile(path, loaded, m); },
              [&] { return loaded == before; }},
             cases);
}

TEST(MalformedFiles, ParReaderRefusesAndKeepsTheLoadedCurve) {
    const char* ex = "examples/sugi.PAR";
    HeightCurveParameters loaded;
    RecordingMessages quiet;
    ASSERT_TRUE(ReadParFile(SourcePath(ex), loaded, quiet));
    const HeightCurveParameters before = loaded;
    const std::string k = "PAR";
    const std::vector<Case> cases = {
        {"wrong header", Replace(ex, 1, Sjis("上層樹高生長曲線")), {Error(kWrong, k)}},
        {"HNP file given", test::ReadBytes(SourcePath("examples/sugi.HNP")), {Error(kWrong, k)}},
        {"empty file", "", {Error(kWrong, k)}},
        {"binary garbage", kBinary, {Error(kWrong, k)}},
        {"header not code page 932", Replace(ex, 1, kInvalidCp932), {Error(kWrong, k)}},
        {"short file", Cut(ex, 6), {Warning(8, k), Error(Line(7), k)}},
        {"residual line missing", Cut(ex, 7), {Warning(8, k), Error(Line(8), k)}},
        {"header only", Cut(ex, 1), {Warning(8, k), Error(Line(4), k)}},
        {"text instead of a number",
         Replace(ex, 5, "PARAMETER(2)   =  about one"), {Error(Line(5), k)}},
        {"kind not a whole number", Replace(ex, 3, Sjis(" x ＭITSCHERLICH式  ")), {Error(Line(3), k)}},
        {"kind with a fraction", Replace(ex, 3, Sjis("1.5 ＭITSCHERLICH式  ")), {Error(Line(3), k)}},
        {"label only", Replace(ex, 6, "PARAMETER(3)   = "), {Error(Line(6), k)}},
        {"very long line", Replace(ex, 4, std::string(300000, '7')), {Error(Line(4), k)}},
        {"survey name not code page 932", Replace(ex, 2, kInvalidCp932), {Error(Line(2), k)}},
        {"band not code page 932", Replace(ex, 7, kInvalidCp932), {Error(Line(7), k)}},
    };
    RunCases({ex, "PAR",
              [&](const std::string& path, Messages& m) { return ReadParFile(path, loaded, m); },
              [&] { return loaded == before; }},
             cases);
}

TEST(MalformedFiles, HnpReaderRefusesAndKeepsTheLoadedCurve) {
    const char* ex = "examples/sugi.HNP";
    HnpParameters loaded;
    RecordingMessages quiet;
    ASSERT_TRUE(ReadHnpFile(SourcePath(ex), loaded, quiet));
    const HnpParameters before = loaded;
    const std::string k = "HNP";
    const std::vector<Case> cases = {
        {"wrong header", Replace(ex, 1, Sjis("上層樹高―本数曲線式?")), {Error(kWrong, k)}},
        {"PAR file given", test::ReadBytes(SourcePath("examples/sugi.PAR")), {Error(kWrong, k)}},
        {"empty file", "", {Error(kWrong, k)}},
        {"binary garbage", kBinary, {Error(kWrong, k)}},
        {"short file", Cut(ex, 4), {Warning(7, k), Error(Line(5), k)}},
        {"text instead of a number", Replace(ex, 6, "PARAMETER(4)   =  many"), {Error(Line(6), k)}},
        {"very long line", Replace(ex, 3, std::string(300000, ' ')), {Error(Line(3), k)}},
        {"value not code page 932", Replace(ex, 4, kInvalidCp932), {Error(Line(4), k)}},
        {"name not code page 932", Replace(ex, 2, kInvalidCp932), {Error(Line(2), k)}},
    };
    RunCases({ex, "HNP",
              [&](const std::string& path, Messages& m) { return ReadHnpFile(path, loaded, m); },
              [&] { return loaded == before; }},
             cases);
}

TEST(MalformedFiles, FolderInsteadOfAFileCannotBeOpened) {
    test::TempDir dir;
    RecordingMessages messages;
    DensityDiagramParameters d;
    HeightCurveParameters c;
    HnpParameters h;
    EXPECT_FALSE(ReadPrmFile(dir.path(), d, messages));
    EXPECT_FALSE(ReadParFile(dir.path(), c, messages));
    EXPECT_FALSE(ReadHnpFile(dir.path(), h, messages));
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[1].text, "ファイルを開けません。\r\n" + dir.path());
    EXPECT_EQ(messages.shown()[1].title, "PARファイル読み込みエラー");
    EXPECT_EQ(messages.shown()[2].title, "HNPファイル読み込みエラー");
    EXPECT_FALSE(d.DensityDiagramLoaded);
}

}  // namespace
}  // namespace mk
