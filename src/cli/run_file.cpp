#include "cli/run_file.h"

#include <algorithm>
#include <string_view>

#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/paths.h"
#include "core/text/text_file.h"

namespace mk::cli {

namespace {

std::string_view TrimView(std::string_view s) {
    const char* blanks = " \t\r\n";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

// The next line of text from pos (LF or CR LF ends it; a last line without
// an end counts), without its line end; pos moves past it. Lines are taken
// one at a time so that a file is refused at its first bad line without the
// rest of it ever being split up.
bool NextLine(std::string_view text, std::size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return false;
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos = end + 1;
    return true;
}

// A line quoted in an error: long junk is cut (at a character boundary) so
// that the message stays one readable line.
std::string Excerpt(std::string_view text) {
    constexpr std::size_t kMaxBytes = 80;
    if (text.size() <= kMaxBytes) return std::string(text);
    std::size_t cut = kMaxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text.substr(0, cut)) + "…";
}

bool IsKnownKey(const std::string& section, const std::string& key) {
    const auto& known = KnownRunFileKeys();
    auto it = known.find(section);
    if (it == known.end()) return false;
    return std::find(it->second.begin(), it->second.end(), key) != it->second.end();
}

}  // namespace

std::string RunFileError::Text() const {
    if (line > 0) return file + ":" + std::to_string(line) + ": " + reason;
    return file + ": " + reason;
}

const RunFileValue* RunFile::Find(const std::string& section, const std::string& key) const {
    auto s = sections.find(section);
    if (s == sections.end()) return nullptr;
    auto k = s->second.find(key);
    return k == s->second.end() ? nullptr : &k->second;
}

const std::map<std::string, std::vector<std::string>>& KnownRunFileKeys() {
    static const std::map<std::string, std::vector<std::string>> keys = {
        {"RunSettings",
         {"PrmFileName",
          "ParFileName",
          "HnpFileName",
          "SiteClass",
          "SiteCurveScale",
          "ThinningMethod",
          "StemSettingMethod",
          "PlantingStemNumber",
          "CurrentAge",
          "CurrentStemNumber",
          "EndAge",
          "ThinningCount",
          "ThinningKey",
          "ThinningRate",
          "RyTarget",
          "BoundThinningRate",
          "RyUpper",
          "RyLower",
          "SlendernessUpper",
          "SlendernessLower",
          "ThinningFromAge",
          "ThinningToAge"}},
        {"CurrentStandState",
         {"SiteText", "SiteCalcAge", "SiteCalcHeight", "CurrentHeight", "CurrentPlantingDensity"}},
        {"PlanSettings",
         {"StandStateKnown", "TargetDecided", "StartAge", "StartStemNumber", "EndAge",
          "TargetStemNumber", "ThinStartAge", "ThinFromAge", "ThinToAge", "IntervalLessOne",
          "RyLimit", "RyStep", "SlendernessLimit", "StartPlantingDensity", "TargetPlantingDensity",
          "TargetHeight"}},
    };
    return keys;
}

std::optional<RunFile> ParseRunFileText(const std::string& bytes, const std::string& path,
                                        RunFileError& error) {
    RunFile file;
    file.path = path;
    file.folder = FolderPart(path);
    error = RunFileError{path, 0, {}};

    std::string_view text = bytes;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string section;
    std::string_view raw;
    std::size_t pos = 0;
    for (int number = 1; NextLine(text, pos, raw); ++number) {
        const std::string_view line = TrimView(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']') {
                error = {path, number, "セクションの行が ] で終わっていません: " + Excerpt(line)};
                return std::nullopt;
            }
            section = Trim(line.substr(1, line.size() - 2));
            if (!KnownRunFileKeys().count(section)) {
                error = {path, number, "不明なセクションです: [" + Excerpt(section) + "]"};
                return std::nullopt;
            }
            file.sectionLines.emplace(section, number);
            file.sections[section];
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            error = {path, number, "「キー = 値」の形ではありません: " + Excerpt(line)};
            return std::nullopt;
        }
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (section.empty()) {
            error = {path, number, "セクションの前に項目があります: " + Excerpt(key)};
            return std::nullopt;
        }
        if (!IsKnownKey(section, key)) {
            error = {path, number, "[" + section + "] の不明なキーです: " + Excerpt(key)};
            return std::nullopt;
        }
        auto& entries = file.sections[section];
        if (entries.count(key)) {
            error = {path, number, "[" + section + "] " + key + " が二度あります"};
            return std::nullopt;
        }
        entries.emplace(key, RunFileValue{value, number});
    }
    return file;
}

std::optional<RunFile> ReadRunFile(const std::string& path, RunFileError& error) {
    std::string bytes;
    if (const FileReadError failure = ReadFileBytesChecked(path, bytes);
        failure != FileReadError::None) {
        error = {path, 0,
                 failure == FileReadError::TooLarge
                     ? "ファイルが大きすぎて読めません（" + std::to_string(kMaxReadFileSize >> 20) +
                           "MBまで）"
                     : "ファイルを開けません"};
        return std::nullopt;
    }
    return ParseRunFileText(bytes, path, error);
}

RunFileError ErrorAt(const RunFile& file, const std::string& section, const std::string& key,
                     const std::string& reason) {
    const RunFileValue* v = file.Find(section, key);
    return {file.path, v ? v->line : 0, "[" + section + "] " + key + ": " + reason};
}

RunFileError MissingKey(const RunFile& file, const std::string& section, const std::string& key) {
    auto s = file.sectionLines.find(section);
    return {file.path, s == file.sectionLines.end() ? 0 : s->second,
            "[" + section + "] " + key + " がありません"};
}

bool GetWhole(const RunFile& file, const std::string& section, const std::string& key, int& value,
              RunFileError& error) {
    const RunFileValue* v = file.Find(section, key);
    if (!v) return true;
    const std::optional<int> parsed = ParseWhole(v->text);
    if (!parsed) {
        error = ErrorAt(file, section, key, "整数ではありません: " + Excerpt(v->text));
        return false;
    }
    value = *parsed;
    return true;
}

bool GetReal(const RunFile& file, const std::string& section, const std::string& key, double& value,
             RunFileError& error) {
    const RunFileValue* v = file.Find(section, key);
    if (!v) return true;
    const std::optional<double> parsed = ParseReal(v->text);
    if (!parsed) {
        error = ErrorAt(file, section, key, "数値ではありません: " + Excerpt(v->text));
        return false;
    }
    value = *parsed;
    return true;
}

bool GetText(const RunFile& file, const std::string& section, const std::string& key,
             std::string& value, RunFileError&) {
    if (const RunFileValue* v = file.Find(section, key)) value = v->text;
    return true;
}

bool GetPath(const RunFile& file, const std::string& section, const std::string& key,
             std::string& value, RunFileError& error) {
    const RunFileValue* v = file.Find(section, key);
    if (!v) return true;
    if (v->text.empty()) {
        error = ErrorAt(file, section, key, "パスが空です");
        return false;
    }
    value = v->text.front() == '/' ? v->text : file.folder + v->text;
    return true;
}

bool GetRealList(const RunFile& file, const std::string& section, const std::string& key,
                 std::vector<double>& values, RunFileError& error) {
    const RunFileValue* v = file.Find(section, key);
    values.clear();
    if (!v) return true;
    if (Trim(v->text).empty()) return true;
    std::string item;
    std::string text = v->text + ",";
    for (char c : text) {
        if (c != ',') {
            item += c;
            continue;
        }
        const std::optional<double> parsed = ParseReal(item);
        if (!parsed) {
            error = ErrorAt(file, section, key, "数値ではありません: " + Excerpt(Trim(item)));
            return false;
        }
        values.push_back(*parsed);
        item.clear();
    }
    return true;
}

bool CheckRange(const RunFile& file, const std::string& section, const std::string& key,
                double value, double min, double max, RunFileError& error) {
    if (!file.Has(section, key) || (value >= min && value <= max)) return true;
    error = ErrorAt(file, section, key,
                    GeneralNumber(min) + " から " + GeneralNumber(max) + " までです");
    return false;
}

bool ReadRunSettings(const RunFile& f, RunSettings& run, CurrentStandState& stand,
                     std::string& hnpFileName, RunFileError& e) {
    const std::string rs = "RunSettings";
    const std::string cs = "CurrentStandState";
    ClearRunSettings(run);
    stand = CurrentStandState{};
    if (!GetPath(f, rs, "PrmFileName", run.PrmFileName, e) ||
        !GetPath(f, rs, "ParFileName", run.ParFileName, e) ||
        !GetPath(f, rs, "HnpFileName", hnpFileName, e) ||
        !GetWhole(f, rs, "SiteClass", run.SiteClass, e) ||
        !GetReal(f, rs, "SiteCurveScale", run.SiteCurveScale, e) ||
        !GetWhole(f, rs, "ThinningMethod", run.ThinningMethod, e) ||
        !GetWhole(f, rs, "StemSettingMethod", run.StemSettingMethod, e) ||
        !GetReal(f, rs, "PlantingStemNumber", run.PlantingStemNumber, e) ||
        !GetWhole(f, rs, "CurrentAge", run.CurrentAge, e) ||
        !GetWhole(f, rs, "CurrentStemNumber", run.CurrentStemNumber, e) ||
        !GetWhole(f, rs, "EndAge", run.EndAge, e) ||
        !GetWhole(f, rs, "ThinningCount", run.ThinningCount, e) ||
        !GetReal(f, rs, "RyTarget", run.RyTarget, e) ||
        !GetReal(f, rs, "BoundThinningRate", run.BoundThinningRate, e) ||
        !GetReal(f, rs, "RyUpper", run.RyUpper, e) || !GetReal(f, rs, "RyLower", run.RyLower, e) ||
        !GetReal(f, rs, "SlendernessUpper", run.SlendernessUpper, e) ||
        !GetReal(f, rs, "SlendernessLower", run.SlendernessLower, e) ||
        !GetWhole(f, rs, "ThinningFromAge", run.ThinningFromAge, e) ||
        !GetWhole(f, rs, "ThinningToAge", run.ThinningToAge, e) ||
        !GetText(f, cs, "SiteText", stand.SiteText, e) ||
        !GetWhole(f, cs, "SiteCalcAge", stand.SiteCalcAge, e) ||
        !GetReal(f, cs, "SiteCalcHeight", stand.SiteCalcHeight, e) ||
        !GetReal(f, cs, "CurrentHeight", stand.CurrentHeight, e) ||
        !GetReal(f, cs, "CurrentPlantingDensity", stand.CurrentPlantingDensity, e)) {
        return false;
    }
    if (run.ThinningCount < 0 || run.ThinningCount > kThinningEntries - 1) {
        e = ErrorAt(f, rs, "ThinningCount", "0 から 11 までです");
        return false;
    }
    std::vector<double> keys, rates;
    if (!GetRealList(f, rs, "ThinningKey", keys, e) ||
        !GetRealList(f, rs, "ThinningRate", rates, e)) {
        return false;
    }
    const auto count = static_cast<std::size_t>(run.ThinningCount);
    if (keys.size() != count) {
        e = f.Has(rs, "ThinningKey")
                ? ErrorAt(f, rs, "ThinningKey", "個数が ThinningCount と違います")
                : MissingKey(f, rs, "ThinningKey");
        return false;
    }
    if (rates.size() != count) {
        e = f.Has(rs, "ThinningRate")
                ? ErrorAt(f, rs, "ThinningRate", "個数が ThinningCount と違います")
                : MissingKey(f, rs, "ThinningRate");
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        run.ThinningKey[i + 1] = keys[i];
        run.ThinningRate[i + 1] = rates[i];
    }
    return true;
}

}  // namespace mk::cli
