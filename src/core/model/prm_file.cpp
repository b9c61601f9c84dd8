#include "core/model/prm_file.h"

#include <algorithm>
#include <cmath>

#include "core/model/reader_support.h"
#include "core/text/file_errors.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/text_file.h"

namespace mk {
namespace {

constexpr std::string_view kPrmHeader = "林分密度管理図パラメータ";
constexpr std::string_view kErrorTitle = "PRMファイル読み込みエラー";
constexpr std::string_view kWarningTitle = "PRMファイル読み込み";

}  // namespace

ReadOutcome<DensityDiagramParameters> ParsePrmBytes(std::string_view bytes) {
    ReadOutcome<DensityDiagramParameters> outcome;
    // Lines after the 19th are notes of the user's and are ignored, so they
    // are not even split off: a file of millions of lines costs no more.
    const std::vector<TextLine> lines = DecodeTextLines(bytes, kPrmLineCount);

    if (!reader::HeaderMatches(lines, kPrmHeader)) {
        outcome.messages.push_back(reader::WrongFormat(kErrorTitle));
        return outcome;
    }
    if (lines.size() < static_cast<std::size_t>(kPrmLineCount)) {
        outcome.messages.push_back(reader::LineCountWarning(kPrmLineCount, kWarningTitle));
    }
    DensityDiagramParameters loaded;
    for (int i = 0; i < 18; ++i) {
        const int lineNumber = i + 2;
        const std::optional<double> value = reader::LabelledValue(lines, lineNumber, 0);
        if (!value) {
            outcome.messages.push_back(reader::UnreadableLine(lineNumber, kErrorTitle));
            return outcome;
        }
        loaded.Prm[static_cast<std::size_t>(i)] = *value;
    }
    loaded.DensityDiagramLoaded = true;
    outcome.record = loaded;
    return outcome;
}

bool ReadPrmFile(const std::string& path, DensityDiagramParameters& diagram, Messages& messages) {
    std::string bytes;
    if (const FileReadError error = ReadFileBytesChecked(path, bytes);
        error != FileReadError::None) {
        ShowFileMessages({reader::ReadFailure(error, path, kErrorTitle)}, messages);
        return false;
    }
    ReadOutcome<DensityDiagramParameters> outcome = ParsePrmBytes(bytes);
    ShowFileMessages(outcome.messages, messages);
    if (!outcome.ok()) return false;
    diagram = *outcome.record;
    return true;
}

std::string PrmFileText(const DensityDiagramParameters& diagram) {
    std::string text(kPrmHeader);
    text += kCrLf;
    const bool keepVolumeLine = diagram.Prm[0] == 2.0;
    for (std::size_t i = 0; i < diagram.Prm.size(); ++i) {
        // The full-density volume line belongs to type 2 diagrams only.
        const double value = (i >= 16 && !keepVolumeLine) ? 0.0 : diagram.Prm[i];
        // Enough digits that the diagram opens again with the same values.
        text += ExactNumber(value);
        text += kCrLf;
    }
    return text;
}

bool WritePrmFile(const std::string& path, DensityDiagramParameters& diagram, Messages& messages) {
    if (diagram.Prm[0] != 2.0) {
        diagram.Prm[16] = 0.0;
        diagram.Prm[17] = 0.0;
    }
    // A value that is not a number could never be read again: refuse the
    // save rather than write a diagram that will not open.
    const bool allFinite = std::all_of(diagram.Prm.begin(), diagram.Prm.end(),
                                       [](double v) { return std::isfinite(v); });
    if (!allFinite || WriteCp932File(path, PrmFileText(diagram)) != TextFileError::None) {
        ReportWriteFailure(messages, path);
        return false;
    }
    return true;
}

}  // namespace mk
