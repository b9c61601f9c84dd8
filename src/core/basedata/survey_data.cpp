#include "core/basedata/survey_data.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "core/host/messages.h"
#include "core/text/cp932.h"
#include "core/text/file_errors.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/text_compare.h"
#include "core/text/text_file.h"

namespace mk {
namespace {

constexpr int kTitleChars = 22;
constexpr int kHeadingLines = 4;  // title, rule, column heading, rule
constexpr int kPiecesPerRecord = 9;
constexpr std::string_view kRule = "───────────────────────────────────────";
constexpr std::string_view kColumnHeading =
    "  番号   PLOT  上層樹高  立木本数   幹材積   断面積  平均直径 平均樹高  林齢";
// Puts the title at the 18th column, as the files have always had it.
constexpr std::string_view kTitleIndent = "                 ";

FileMessage FormatRefusal(int lineNumber) {
    return {std::string(kSurveyFormatError) + std::string(kCrLf) + IntText(lineNumber) + "行目",
            std::string(kSurveyReadErrorTitle), MessageIcon::Error};
}

FileMessage WrongTitle() {
    return {std::string(kSurveyFormatError), std::string(kSurveyReadErrorTitle),
            MessageIcon::Error};
}

FileMessage NoRecords(int count) {
    return {std::string(kSurveyNoRecordsText) + IntText(count) + "）",
            std::string(kSurveyReadErrorTitle), MessageIcon::Error};
}

SurveyReadOutcome Refused(FileMessage message) {
    SurveyReadOutcome outcome;
    outcome.messages.push_back(std::move(message));
    return outcome;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    return text.substr(start);
}

// Byte length of the first n characters of a UTF-8 text, or npos when the
// text is shorter.
size_t BytesOfChars(std::string_view utf8, int n) {
    size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        if (pos >= utf8.size()) return std::string_view::npos;
        unsigned char lead = static_cast<unsigned char>(utf8[pos]);
        size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        pos += len;
    }
    return pos <= utf8.size() ? pos : std::string_view::npos;
}

// Splits at blanks, dropping empty pieces; keeps at most max pieces.
int SplitPieces(std::string_view line, std::string_view* pieces, int max) {
    int count = 0;
    size_t pos = 0;
    while (count < max) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        if (pos >= line.size()) break;
        size_t end = pos;
        while (end < line.size() && line[end] != ' ') ++end;
        pieces[count++] = line.substr(pos, end - pos);
        pos = end;
    }
    return count;
}

// Plain decimals ("-12.3", "2600") of at most 15 digits are the pieces of
// every file the writer makes. Their value is the digits as a whole number
// divided by a power of ten, both exact doubles, so the one division rounds
// exactly as a full conversion would.
bool PlainDecimal(std::string_view piece, double& value) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const bool negative = !piece.empty() && piece[0] == '-';
    if (negative || (!piece.empty() && piece[0] == '+')) ++i;
    long long digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (++count > 15) return false;
            digits = digits * 10 + (c - '0');
            if (point) ++decimals;
        } else {
            return false;
        }
    }
    if (count == 0) return false;
    value = static_cast<double>(digits) / kPowers[decimals];
    if (negative) value = -value;
    return true;
}

// A real piece that must be a finite number.
bool RealPiece(std::string_view piece, double& value) {
    if (PlainDecimal(piece, value)) return true;
    auto parsed = ParseReal(piece);
    if (!parsed || !std::isfinite(*parsed)) return false;
    value = *parsed;
    return true;
}

// A whole-number field: a decimal text is rounded to nearest, halves to
// even; a value beyond 32 bits cannot be held and is refused.
bool WholePiece(std::string_view piece, int& value) {
    double real = 0.0;
    if (!RealPiece(piece, real)) return false;
    double rounded = RoundHalfEven(real);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return false;
    value = static_cast<int>(rounded);
    return true;
}

bool ParseRecordLine(std::string_view line, SurveyRecord& record) {
    std::string_view pieces[kPiecesPerRecord];
    if (SplitPieces(line, pieces, kPiecesPerRecord) < kPiecesPerRecord) return false;
    int storedNumber = 0;
    return WholePiece(pieces[0], storedNumber) && WholePiece(pieces[1], record.plot) &&
           RealPiece(pieces[2], record.dominantHeight) &&
           WholePiece(pieces[3], record.stemsPerHa) && RealPiece(pieces[4], record.stemVolume) &&
           RealPiece(pieces[5], record.basalArea) && RealPiece(pieces[6], record.meanDiameter) &&
           RealPiece(pieces[7], record.meanHeight) && WholePiece(pieces[8], record.standAge);
}

// From 1E+15 on, the 15 digits of "0.0" no longer reach the decimals and can
// even round past the largest double: such a value is written with the
// digits that read back as itself.
std::string Real1(double value, int width) {
    if (std::fabs(value) >= 1e15) return AlignRight(ExactNumber(value), width);
    return FormatRight(value, "0.0", width);
}
std::string Whole(int value, int width) { return AlignRight(IntText(value), width); }

// The system's description of a failed write, as Japanese text.
std::string ErrorDescription(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "パスが見つかりません。";
        case EACCES:
        case EPERM:
            return "書き込みできません。";
        case EROFS:
            return "書き込み禁止のディスクです。";
        case ENOSPC:
        case EDQUOT:
            return "ディスクの空き容量が不足しています。";
        case EISDIR:
        case EINVAL:
            return "パス名が無効です。";
        case ENAMETOOLONG:
            return "ファイル名が長すぎます。";
        case EIO:
            return "デバイス I/O エラーです。";
        default:
            return "ファイルに書き込めません。";
    }
}

}  // namespace

SurveyRecord NewSurveyRecord() { return SurveyRecord{}; }

void ClearSurveyDataSet(SurveyDataSet& set) {
    set.filePath.clear();
    set.count = 0;
    set.records.clear();
    set.modified = false;
}

namespace {

// Walks the `count` record lines that follow the heading lines of a survey
// file, handing each parsed record to take. The line number of the first
// line that is missing or not a record, or 0 when all of them are records.
template <typename Take>
int ForEachRecord(TextLineReader reader, int count, Take take) {
    TextLine line;
    // The three heading lines after the title are skipped unseen.
    for (int i = 1; i < kHeadingLines; ++i) {
        if (!reader.Next(line)) return reader.LineNumber() + 1;
    }
    for (int i = 1; i <= count; ++i) {
        const int lineNumber = kHeadingLines + i;
        SurveyRecord record;
        if (!reader.Next(line) || !line.valid || !ParseRecordLine(line.text, record))
            return lineNumber;
        record.number = i;
        record.confirmed = true;
        take(record);
    }
    return 0;
}

}  // namespace

SurveyReadOutcome ParseSurveyBytes(std::string_view bytes) {
    // Lines are taken one at a time: a file is refused at its first bad line
    // without the rest of it ever being split up.
    TextLineReader reader(bytes);
    TextLine line;
    if (!reader.Next(line) || !line.valid) return Refused(WrongTitle());

    std::string_view title = TrimLeadingBlanks(line.text);
    size_t titleBytes = BytesOfChars(title, kTitleChars);
    if (titleBytes == std::string_view::npos ||
        !TextEquals(title.substr(0, titleBytes), kSurveyTitle))
        return Refused(WrongTitle());

    auto count = ParseWhole(title.substr(titleBytes));
    if (!count) return Refused(FormatRefusal(1));
    // A file without records opens nothing; the user is told why.
    if (*count <= 0) return Refused(NoRecords(*count));

    // The records are checked once before any is kept, so that memory is
    // set aside for exactly the records there are: a count the file cannot
    // hold costs nothing, and a large file is never held twice over while a
    // growing list moves.
    if (const int bad = ForEachRecord(reader, *count, [](const SurveyRecord&) {}); bad != 0)
        return Refused(FormatRefusal(bad));
    SurveyReadOutcome outcome;
    outcome.records.reserve(static_cast<size_t>(*count));
    ForEachRecord(reader, *count,
                  [&](const SurveyRecord& record) { outcome.records.push_back(record); });
    outcome.ok = true;
    return outcome;
}

bool ReadSurveyFile(const std::string& path, SurveyDataSet& set, Messages& messages) {
    if (path.empty()) return false;
    std::string bytes;
    if (const FileReadError error = ReadFileBytesChecked(path, bytes);
        error != FileReadError::None) {
        messages.Show(ReadFailureText(error, path), std::string(kSurveyReadErrorTitle),
                      MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    SurveyReadOutcome outcome = ParseSurveyBytes(bytes);
    // The file's bytes are not needed once its records are out.
    bytes = std::string();
    ShowFileMessages(outcome.messages, messages);
    if (!outcome.ok) return false;
    set.count = static_cast<int>(outcome.records.size());
    set.records = std::move(outcome.records);
    set.filePath = path;
    set.modified = false;
    return true;
}

std::string FormatSurveyLine(const SurveyRecord& r) {
    std::string line;
    line.reserve(80);
    line += Whole(r.number, 5);
    line += "  ";
    line += Whole(r.plot, 5);
    line += ' ';
    line += Real1(r.dominantHeight, 9);
    line += ' ';
    line += Whole(r.stemsPerHa, 9);
    line += ' ';
    line += Real1(r.stemVolume, 8);
    line += ' ';
    line += Real1(r.basalArea, 8);
    line += ' ';
    line += Real1(r.meanDiameter, 9);
    line += ' ';
    line += Real1(r.meanHeight, 8);
    line += ' ';
    line += Whole(r.standAge, 5);
    return line;
}

std::string FormatSurveyText(const SurveyDataSet& set) {
    std::string text;
    const int count = set.count;
    text.reserve(static_cast<size_t>(count > 0 ? count : 0) * 80 + 512);
    auto add = [&text](std::string_view line) {
        text += line;
        text += kCrLf;
    };
    add(std::string(kTitleIndent) + std::string(kSurveyTitle) + Whole(count, 4));
    add(kRule);
    add(kColumnHeading);
    add(kRule);
    for (int i = 1; i <= count && static_cast<size_t>(i) <= set.records.size(); ++i)
        add(FormatSurveyLine(set.records[static_cast<size_t>(i - 1)]));
    add(kRule);
    return text;
}

bool WriteSurveyFile(const std::string& path, SurveyDataSet& set, Messages& messages) {
    auto bytes = Utf8ToCp932(FormatSurveyText(set));
    int error = 0;
    if (bytes) {
        errno = 0;
        if (WriteFileAtomically(path, *bytes)) {
            set.modified = false;
            return true;
        }
        error = errno;
    }
    if (error == 0) error = EINVAL;
    std::string text = ErrorDescription(error) + " (" + IntText(error) + ")";
    messages.Show(text, std::string(kApplicationTitle), MessageIcon::None, MessageButtons::Ok);
    return false;
}

}  // namespace mk
