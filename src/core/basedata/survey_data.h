#pragma once
// Survey plot records and the DAT files that hold them.

#include <string>
#include <string_view>
#include <vector>

#include "core/model/file_message.h"

namespace mk {

class Messages;

struct SurveyRecord {
    int number = 0;  // running number in the set, 1-based
    int plot = 0;
    double dominantHeight = 0.0;  // m
    int stemsPerHa = 0;
    double stemVolume = 0.0;    // m3 per ha
    double basalArea = 0.0;     // m2 per ha
    double meanDiameter = 0.0;  // cm
    double meanHeight = 0.0;    // m
    int standAge = 0;           // years
    bool confirmed = false;     // in memory only
    bool operator==(const SurveyRecord&) const = default;
};

// The one survey data set shared by the editor, the check and the curve
// window. records[i - 1] is record i; records.size() equals count.
struct SurveyDataSet {
    std::string filePath;
    int count = 0;
    std::vector<SurveyRecord> records;
    bool modified = false;
};

SurveyRecord NewSurveyRecord();

// Empties the set: no path, no records, not modified.
void ClearSurveyDataSet(SurveyDataSet& set);

inline constexpr std::string_view kSurveyTitle = "収穫予測表作成のための基礎資料   資料数：";
inline constexpr std::string_view kSurveyReadErrorTitle = "DATファイル読み込みエラー";
inline constexpr std::string_view kSurveyFormatError = "データの形式が違います。これは読めません。";

// Followed by the count and "）": the refusal of a file whose count is zero
// or less.
inline constexpr std::string_view kSurveyNoRecordsText = "読み込む資料がありません。（資料数：";

// What a DAT file holds, or why it is refused.
struct SurveyReadOutcome {
    bool ok = false;
    std::vector<SurveyRecord> records;  // renumbered 1..count, confirmed
    std::vector<FileMessage> messages;
};

SurveyReadOutcome ParseSurveyBytes(std::string_view bytes);

// Reads a DAT file into the set (count, records, filePath; modified
// cleared) and returns true, or shows the refusal and leaves the set as it
// was. An empty path reads nothing.
bool ReadSurveyFile(const std::string& path, SurveyDataSet& set, Messages& messages);

// The whole DAT text (UTF-8, CR LF line ends) for records 1..count.
std::string FormatSurveyText(const SurveyDataSet& set);
// One record line: 75 characters when every value fits its field.
std::string FormatSurveyLine(const SurveyRecord& record);

// Writes the set to path whole; on success clears modified. A failure is
// shown with the system's description and number of the error, and
// modified keeps its value.
bool WriteSurveyFile(const std::string& path, SurveyDataSet& set, Messages& messages);

inline constexpr std::string_view kApplicationTitle = "杜の暦『構想』";

}  // namespace mk
