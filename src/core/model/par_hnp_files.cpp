#include "core/model/par_hnp_files.h"

#include "core/model/par_hnp_layout.h"
#include "core/model/reader_support.h"
#include "core/text/cp932.h"
#include "core/text/number_parse.h"
#include "core/text/paths.h"
#include "core/text/text_file.h"

namespace mk {
namespace {

constexpr std::string_view kParErrorTitle = "PARファイル読み込みエラー";
constexpr std::string_view kParWarningTitle = "PARファイル読み込み";
constexpr std::string_view kHnpErrorTitle = "HNPファイル読み込みエラー";
constexpr std::string_view kHnpWarningTitle = "HNPファイル読み込み";

const int kParameterLabelChars = CharCount(kParameterLabel1);  // 17
const int kBandLabelChars = CharCount(kBandLabel);             // 12

// One comma-separated field starting at pos: leading blanks skipped, a
// quoted field taken up to its closing quote, an unquoted one up to the
// next comma without its trailing blanks. pos is left after the comma.
// A view into text: a line may be megabytes of junk, which is not copied.
std::string_view NextField(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos < text.size() && text[pos] == '"') {
        const std::size_t close = text.find('"', pos + 1);
        const std::size_t end = close == std::string_view::npos ? text.size() : close;
        const std::string_view field = text.substr(pos + 1, end - pos - 1);
        const std::size_t comma = text.find(',', end);
        pos = comma == std::string_view::npos ? text.size() : comma + 1;
        return field;
    }
    const std::size_t comma = text.find(',', pos);
    const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
    std::string_view field = text.substr(pos, end - pos);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    pos = comma == std::string_view::npos ? text.size() : comma + 1;
    return field;
}

// The survey file name of PAR line 2 ("ファイル名, a.dat"): the second field.
std::string_view SurveyNameOfLine(std::string_view line) {
    std::size_t pos = 0;
    NextField(line, pos);
    if (pos >= line.size()) return {};
    return NextField(line, pos);
}

// The folder of a PAR or HNP file joined with the name part of the survey
// file it records. The tables are written into the folder of this source,
// which must stay the folder the user chose for the parameter file: a
// folder part in the recorded name ("../x/s.dat") is dropped.
std::string SurveySource(const std::string& parameterFile, std::string_view recordedName) {
    const std::size_t slash = recordedName.rfind(kPathSeparator);
    if (slash != std::string_view::npos) recordedName.remove_prefix(slash + 1);
    std::string source = FolderPart(parameterFile);
    source += recordedName;
    return source;
}

// The curve kind of PAR line 3 (" 2 logistic式…" or "2 logistic式…"),
// seen as parts between single blanks. False: the kind is not a whole
// number. With two parts or fewer the line holds no kind and `kind` is left
// alone. Only the first two blanks are looked for, so a line of millions of
// blanks is not split into millions of parts.
bool KindOfLine(std::string_view line, int& kind) {
    const std::size_t first = line.find(' ');
    if (first == std::string_view::npos) return true;
    const std::size_t second = line.find(' ', first + 1);
    if (second == std::string_view::npos) return true;
    std::string_view source = line.substr(0, first);
    if (source.empty()) source = line.substr(first + 1, second - first - 1);
    if (source.empty()) {
        kind = 0;
        return true;
    }
    const std::optional<int> value = ParseWhole(source);
    if (!value) return false;
    kind = *value;
    return true;
}

bool LineIsValid(const std::vector<TextLine>& lines, int lineNumber) {
    const auto index = static_cast<std::size_t>(lineNumber - 1);
    return index >= lines.size() || lines[index].valid;
}

std::string_view LineText(const std::vector<TextLine>& lines, int lineNumber) {
    const auto index = static_cast<std::size_t>(lineNumber - 1);
    return index < lines.size() ? std::string_view(lines[index].text) : std::string_view();
}

}  // namespace

ReadOutcome<HeightCurveParameters> ParseParBytes(std::string_view bytes, const std::string& path,
                                                 const HeightCurveParameters& previous) {
    ReadOutcome<HeightCurveParameters> outcome;
    // Only the lines of the format are looked at; what follows is not split.
    const std::vector<TextLine> lines = DecodeTextLines(bytes, kParLineCount);
    if (!reader::HeaderMatches(lines, kParHeader)) {
        outcome.messages.push_back(reader::WrongFormat(kParErrorTitle));
        return outcome;
    }
    if (lines.size() < static_cast<std::size_t>(kParLineCount)) {
        outcome.messages.push_back(reader::LineCountWarning(kParLineCount, kParWarningTitle));
    }
    auto refuse = [&](int lineNumber) {
        outcome.messages.push_back(reader::UnreadableLine(lineNumber, kParErrorTitle));
        return outcome;
    };

    HeightCurveParameters loaded = previous;
    if (!LineIsValid(lines, 2)) return refuse(2);
    loaded.HeightCurveSource = SurveySource(path, SurveyNameOfLine(LineText(lines, 2)));

    if (!LineIsValid(lines, 3)) return refuse(3);
    if (!KindOfLine(LineText(lines, 3), loaded.CurveKind)) return refuse(3);

    double* const values[] = {&loaded.CurveM, &loaded.CurveB, &loaded.CurveK,
                              &loaded.BandCoefficient, &loaded.ResidualSumOfSquares};
    for (int i = 0; i < 5; ++i) {
        const int lineNumber = 4 + i;
        // The labels are not compared; only their length counts.
        const int labelChars = i < 3 ? kParameterLabelChars : kBandLabelChars;
        const std::optional<double> value = reader::LabelledValue(lines, lineNumber, labelChars);
        if (!value) return refuse(lineNumber);
        *values[i] = *value;
    }
    loaded.HeightCurveLoaded = true;
    outcome.record = loaded;
    return outcome;
}

ReadOutcome<HnpParameters> ParseHnpBytes(std::string_view bytes, const std::string& path) {
    ReadOutcome<HnpParameters> outcome;
    const std::vector<TextLine> lines = DecodeTextLines(bytes, kHnpLineCount);
    if (!reader::HeaderMatches(lines, kHnpHeader)) {
        outcome.messages.push_back(reader::WrongFormat(kHnpErrorTitle));
        return outcome;
    }
    if (lines.size() < static_cast<std::size_t>(kHnpLineCount)) {
        outcome.messages.push_back(reader::LineCountWarning(kHnpLineCount, kHnpWarningTitle));
    }
    auto refuse = [&](int lineNumber) {
        outcome.messages.push_back(reader::UnreadableLine(lineNumber, kHnpErrorTitle));
        return outcome;
    };

    HnpParameters loaded;
    if (!LineIsValid(lines, 2)) return refuse(2);
    // Compared with the PAR file's source, so it is made the same way.
    loaded.HnpSource = SurveySource(path, LineText(lines, 2));
    double* const values[] = {&loaded.P1, &loaded.P2, &loaded.P3, &loaded.P4};
    for (int i = 0; i < 4; ++i) {
        const int lineNumber = 3 + i;
        const std::optional<double> value =
            reader::LabelledValue(lines, lineNumber, kParameterLabelChars);
        if (!value) return refuse(lineNumber);
        *values[i] = *value;
    }
    // Line 7, the residual sum, is only for the reader's eye: any text
    // will do, but not bytes that are no text at all.
    if (!LineIsValid(lines, 7)) return refuse(7);
    loaded.HnpLoaded = true;
    outcome.record = loaded;
    return outcome;
}

bool ReadParFile(const std::string& path, HeightCurveParameters& curve, Messages& messages) {
    std::string bytes;
    if (const FileReadError error = ReadFileBytesChecked(path, bytes);
        error != FileReadError::None) {
        ShowFileMessages({reader::ReadFailure(error, path, kParErrorTitle)}, messages);
        return false;
    }
    ReadOutcome<HeightCurveParameters> outcome = ParseParBytes(bytes, path, curve);
    ShowFileMessages(outcome.messages, messages);
    if (!outcome.ok()) return false;
    curve = *outcome.record;
    return true;
}

bool ReadHnpFile(const std::string& path, HnpParameters& hnp, Messages& messages) {
    std::string bytes;
    if (const FileReadError error = ReadFileBytesChecked(path, bytes);
        error != FileReadError::None) {
        ShowFileMessages({reader::ReadFailure(error, path, kHnpErrorTitle)}, messages);
        return false;
    }
    ReadOutcome<HnpParameters> outcome = ParseHnpBytes(bytes, path);
    ShowFileMessages(outcome.messages, messages);
    if (!outcome.ok()) return false;
    hnp = *outcome.record;
    return true;
}

}  // namespace mk
