#include "core/tables/table_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

#include "core/graphics/result_arrays.h"
#include "core/model/site_class.h"
#include "core/text/file_errors.h"
#include "core/text/number_format.h"
#include "core/text/text_file.h"

namespace mk {
namespace {

constexpr std::string_view kYieldFirst = "林分収穫予測表    使用ファイル：";
constexpr std::string_view kPlanFirst = "収穫予測    使用ファイル：";
constexpr std::string_view kVolumeFirst = "        林分材積表     （地位 ";
constexpr std::string_view kSiteOpen = "  （地位";
constexpr std::string_view kVolumeFiles = "  使用ファイル：";
constexpr int kMaxPlans = 5;
constexpr int kMaxSites = 3;

// How a field of a row is written: its decimals and its width.
struct FieldLayout {
    int decimals;
    int width;
};

constexpr FieldLayout kStandFields[] = {{0, 4}, {1, 6}, {1, 6}, {0, 6}, {1, 6},
                                        {1, 7}, {1, 6}, {1, 6}, {2, 6}};
constexpr FieldLayout kThinningFields[] = {{1, 5}, {0, 6}, {0, 4}, {1, 6}, {1, 6}, {0, 4},
                                           {1, 7}, {1, 6}, {0, 6}, {1, 6}, {1, 7}, {2, 5}};
constexpr FieldLayout kClosingFields[] = {{1, 7}, {0, 4}};
constexpr FieldLayout kVolumeFields[] = {{0, 4}, {0, 4}, {1, 6}, {1, 6}, {0, 6},
                                         {1, 6}, {1, 7}, {1, 6}, {1, 6}, {2, 6}};
// The blanks of a plain row in place of the thinning columns.
constexpr FieldLayout kPlainGap[] = {{-1, 68}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest text of a finite figure: a sign, the 309 digits of the
// largest double, the point and two decimals. A row holds nothing longer.
constexpr std::size_t kLongestFigure =
    1 + static_cast<std::size_t>(std::numeric_limits<double>::max_exponent10) + 1 + 1 + 2;

// Fields are right-aligned in their width; a value wider than its field
// is written whole and pushes the rest of the line to the right. So a
// field ends exactly at its width unless it has no blank in front, and
// then it may run on: where digits of two such fields meet, every split is
// tried until the rest of the line reads. Whether the rest of a line reads
// from a place on depends only on that place and the field, so a place
// found not to read is remembered; without that, a line of long digit runs
// takes the splits of every run times those of every other. No field
// reaches further than its blanks and the longest figure, which bounds the
// work on a line of any length.
class FieldParser {
public:
    FieldParser(std::string_view line, std::span<const FieldLayout> layouts)
        : line_(line), layouts_(layouts), lastText_(line.find_last_not_of(' ')) {
        std::size_t reach = 0;
        for (const FieldLayout& layout : layouts) {
            // Its blanks, its digits, the point and decimals after them.
            reach += static_cast<std::size_t>(layout.width) +
                     (layout.decimals < 0 ? 0 : 2 * kLongestFigure);
        }
        places_ = std::min(reach, line.size()) + 1;
        failed_.assign(places_ * (layouts.size() + 1), false);
    }

    std::optional<std::vector<double>> Parse() {
        if (!Fields(0, 0)) return std::nullopt;
        return std::move(values_);
    }

private:
    bool Fields(std::size_t pos, std::size_t field) {
        if (pos >= places_) return false;
        const std::size_t state = pos * (layouts_.size() + 1) + field;
        if (failed_[state]) return false;
        if (Read(pos, field)) return true;
        failed_[state] = true;
        return false;
    }

    bool Read(std::size_t pos, std::size_t field) {
        const std::string_view line = line_;
        if (field == layouts_.size()) {
            return lastText_ == std::string_view::npos || lastText_ < pos;
        }
        const FieldLayout layout = layouts_[field];
        const std::size_t start = pos;
        const std::size_t width = static_cast<std::size_t>(layout.width);
        const std::size_t nominalEnd = start + width;
        if (layout.decimals < 0) {
            if (nominalEnd > line.size() ||
                line.substr(start, width).find_first_not_of(' ') != std::string_view::npos)
                return false;
            return Fields(nominalEnd, field + 1);
        }
        // Blanks fill a field at most up to its width.
        std::size_t p = start;
        while (p < line.size() && line[p] == ' ' && p - start < width) ++p;
        const bool full = p == start;
        const std::size_t signAt = p;
        if (p < line.size() && line[p] == '-') ++p;
        const std::size_t digitsFrom = p;
        // The digits may run on into the next field; this one takes no more
        // than the longest figure of them.
        const std::size_t digitsEnd = std::min(line.size(), signAt + kLongestFigure);
        while (p < digitsEnd && IsDigit(line[p])) ++p;
        if (p == digitsFrom) return false;
        std::vector<std::size_t> ends;
        if (layout.decimals > 0) {
            if (p >= line.size() || line[p] != '.') return false;
            ++p;
            for (int i = 0; i < layout.decimals; ++i, ++p) {
                if (p >= line.size() || !IsDigit(line[p])) return false;
            }
            ends.push_back(p);
        } else {
            for (std::size_t e = std::max(digitsFrom + 1, nominalEnd); e <= p; ++e) {
                ends.push_back(e);
                if (!full) break;
            }
        }
        for (std::size_t end : ends) {
            if (end < nominalEnd || (end > nominalEnd && !full)) continue;
            // Not the locale's decimal point, and a figure too long for
            // any number is no figure of a table.
            double value = 0;
            const char* first = line.data() + signAt;
            const char* last = line.data() + end;
            const auto [ptr, ec] = std::from_chars(first, last, value);
            if (ec != std::errc() || ptr != last || !std::isfinite(value)) continue;
            values_.push_back(value);
            if (Fields(end, field + 1)) return true;
            values_.pop_back();
        }
        return false;
    }

    std::string_view line_;
    std::span<const FieldLayout> layouts_;
    std::size_t lastText_;    // the last character that is not a blank
    std::size_t places_ = 0;  // the places a field can start at, from 0
    std::vector<bool> failed_;
    std::vector<double> values_;
};

std::optional<std::vector<double>> ReadFields(std::string_view line,
                                              std::span<const FieldLayout> layouts) {
    return FieldParser(line, layouts).Parse();
}

template <typename A, typename B>
auto Join(const A& a, const B& b) {
    std::array<FieldLayout, std::size(A{}) + std::size(B{})> joined{};
    std::copy(std::begin(a), std::end(a), joined.begin());
    std::copy(std::begin(b), std::end(b), joined.begin() + std::size(a));
    return joined;
}

// Nothing after the program's last age; a wider figure is no age of a
// table it wrote (nor would it fit the row's whole number).
std::optional<YearRowValues> StandOf(const std::vector<double>& v, std::size_t at) {
    if (!(v[at] >= 0 && v[at] <= kMaxAge)) return std::nullopt;
    YearRowValues y;
    y.age = static_cast<int>(v[at]);
    y.height = v[at + 1];
    y.dbh = v[at + 2];
    y.stems = v[at + 3];
    y.basalArea = v[at + 4];
    y.volume = v[at + 5];
    y.growth = v[at + 6];
    y.meanGrowth = v[at + 7];
    y.ry = v[at + 8];
    return y;
}

// A thinning row (23 fields) or a plain row (9 fields, 68 blanks, 2 fields).
std::optional<TableRow> ReadYieldRow(std::string_view line, int group) {
    static const auto thinningLayout = Join(Join(kStandFields, kThinningFields), kClosingFields);
    static const auto plainLayout = Join(Join(kStandFields, kPlainGap), kClosingFields);
    TableRow row;
    row.group = group;
    if (auto v = ReadFields(line, thinningLayout)) {
        const std::optional<YearRowValues> stand = StandOf(*v, 0);
        if (!stand) return std::nullopt;
        row.thinned = true;
        row.year = *stand;
        ThinningBookkeeping& t = row.thinning;
        double* fields[] = {&t.ThinnedDbh,
                            &t.StemsThinned,
                            &t.StemThinningRate,
                            &t.BasalAreaThinned,
                            &t.VolumeThinned,
                            &t.VolumeThinningRate,
                            &t.CumulativeThinnedVolume,
                            &t.DbhAfter,
                            &t.StemsAfter,
                            &t.BasalAreaAfter,
                            &t.VolumeAfter,
                            &t.RyAfter};
        for (std::size_t i = 0; i < std::size(fields); ++i) *fields[i] = (*v)[9 + i];
        row.totalYield = (*v)[21];
        if ((*v)[22] != (*v)[0]) return std::nullopt;
        return row;
    }
    auto v = ReadFields(line, plainLayout);
    if (!v || (*v)[10] != (*v)[0]) return std::nullopt;
    const std::optional<YearRowValues> stand = StandOf(*v, 0);
    if (!stand) return std::nullopt;
    row.year = *stand;
    row.totalYield = (*v)[9];
    return row;
}

std::optional<TableRow> ReadVolumeRow(std::string_view line, int group) {
    auto v = ReadFields(line, kVolumeFields);
    if (!v) return std::nullopt;
    const std::optional<YearRowValues> stand = StandOf(*v, 1);
    if (!stand) return std::nullopt;
    TableRow row;
    row.group = group;
    row.year = *stand;
    return row;
}

// Lines 4.. of a heading block that every table of a kind shares (rules,
// column headings, units).
const std::vector<std::string>& SharedYieldHeading() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> all = SplitTableLines(YieldTableHeading("", "", "", ""));
        return std::vector<std::string>(all.begin() + 3, all.end());
    }();
    return lines;
}

const std::vector<std::string>& SharedVolumeHeading() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> all = SplitTableLines(VolumeTableHeading("", "", "", ""));
        return std::vector<std::string>(all.begin() + 4, all.end());
    }();
    return lines;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

class TableParser {
public:
    explicit TableParser(const std::vector<TextLine>& lines) : lines_(lines) {}

    // The table, or nothing with badLine set to the 1-based line that does
    // not read.
    std::optional<ResultTable> Parse(int& badLine);

private:
    bool At(std::size_t i) const { return i < lines_.size(); }
    const std::string& Text(std::size_t i) const { return lines_[i].text; }
    bool Fail(std::size_t i) {
        bad_ = static_cast<int>(i) + 1;
        return false;
    }
    bool Matches(std::size_t from, const std::vector<std::string>& expected);
    bool YieldGroup(TableKind kind, int group);
    bool VolumeGroup();
    bool Rows(std::size_t rule, int group, bool volume);

    const std::vector<TextLine>& lines_;
    std::size_t i_ = 0;
    int bad_ = 0;
    ResultTable table_;
};

bool TableParser::Matches(std::size_t from, const std::vector<std::string>& expected) {
    for (std::size_t k = 0; k < expected.size(); ++k) {
        if (!At(from + k) || Text(from + k) != expected[k]) return Fail(from + k);
    }
    return true;
}

bool TableParser::Rows(std::size_t ruleWidth, int group, bool volume) {
    std::string rule;
    for (std::size_t k = 0; k < ruleWidth; ++k) rule += "─";
    for (;; ++i_) {
        if (!At(i_)) return Fail(i_);
        if (Text(i_) == rule) {
            ++i_;
            return true;
        }
        std::optional<TableRow> row =
            volume ? ReadVolumeRow(Text(i_), group) : ReadYieldRow(Text(i_), group);
        if (!row) return Fail(i_);
        table_.rows.push_back(*row);
    }
}

bool TableParser::YieldGroup(TableKind kind, int group) {
    const std::string_view first = kind == TableKind::Yield ? kYieldFirst : kPlanFirst;
    if (!StartsWith(Text(i_), first)) return Fail(i_);
    const std::size_t second = i_ + 1;
    if (!At(second) || !StartsWith(Text(second), kSiteOpen) || !EndsWith(Text(second), "）") ||
        (kind == TableKind::Yield && Text(second).find("    間伐方式") == std::string::npos))
        return Fail(second);
    if (!At(i_ + 2) || !Text(i_ + 2).empty()) return Fail(i_ + 2);
    if (!Matches(i_ + 3, SharedYieldHeading())) return false;
    i_ += 3 + SharedYieldHeading().size();
    return Rows(kYieldRuleWidth, group, false);
}

bool TableParser::VolumeGroup() {
    const std::string& first = Text(i_);
    if (!StartsWith(first, kVolumeFirst) || !EndsWith(first, "）")) return Fail(i_);
    const std::string site =
        first.substr(kVolumeFirst.size(), first.size() - kVolumeFirst.size() - 3);
    int group = 0;
    for (int k = 1; k <= kMaxSites; ++k) {
        if (SiteClassName(k) == site) group = k;
    }
    if (group == 0) return Fail(i_);
    if (!At(i_ + 1) || !Text(i_ + 1).empty()) return Fail(i_ + 1);
    if (!At(i_ + 2) || !StartsWith(Text(i_ + 2), kVolumeFiles)) return Fail(i_ + 2);
    if (!At(i_ + 3) || !Text(i_ + 3).empty()) return Fail(i_ + 3);
    if (!Matches(i_ + 4, SharedVolumeHeading())) return false;
    i_ += 4 + SharedVolumeHeading().size();
    if (!Rows(kVolumeRuleWidth, group, true)) return false;
    if (!At(i_) || Text(i_) != "\f") return Fail(i_);
    ++i_;
    return true;
}

std::optional<ResultTable> TableParser::Parse(int& badLine) {
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        if (!lines_[k].valid) {
            badLine = static_cast<int>(k) + 1;
            return std::nullopt;
        }
    }
    bool ok = At(0);
    if (!ok) {
        bad_ = 1;
    } else if (StartsWith(Text(0), kYieldFirst)) {
        table_.kind = TableKind::Yield;
        ok = YieldGroup(TableKind::Yield, 1);
    } else if (StartsWith(Text(0), kPlanFirst)) {
        table_.kind = TableKind::Plan;
        for (int plan = 1; ok && plan <= kMaxPlans && At(i_); ++plan)
            ok = YieldGroup(TableKind::Plan, plan);
    } else if (StartsWith(Text(0), kVolumeFirst)) {
        table_.kind = TableKind::Volume;
        for (int site = 1; ok && site <= kMaxSites && At(i_); ++site) ok = VolumeGroup();
    } else {
        bad_ = 1;
        ok = false;
    }
    // Nothing follows the last table.
    if (ok && At(i_)) ok = Fail(i_);
    if (!ok) {
        badLine = bad_;
        return std::nullopt;
    }
    for (const TextLine& line : lines_) table_.lines.push_back(line.text);
    return table_;
}

FileMessage Refusal(std::string text) {
    return FileMessage{std::move(text), kTableReadTitle, MessageIcon::Error};
}

}  // namespace

std::string TableFormatErrorText(int lineNumber) {
    return "表ファイルの形式が違います。これは読めません。" + std::string(kCrLf) +
           IntText(lineNumber) + "行目";
}

ReadOutcome<ResultTable> ParseTableFile(std::string_view bytes, const std::string& path) {
    ReadOutcome<ResultTable> outcome;
    const std::vector<TextLine> lines = DecodeTextLines(bytes);
    int badLine = 0;
    std::optional<ResultTable> table = TableParser(lines).Parse(badLine);
    if (!table) {
        outcome.messages.push_back(Refusal(TableFormatErrorText(badLine)));
        return outcome;
    }
    table->path = path;
    outcome.record = std::move(*table);
    return outcome;
}

ReadOutcome<ResultTable> ReadTableFile(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        ReadOutcome<ResultTable> outcome;
        outcome.messages.push_back(Refusal(CannotOpenText(path)));
        return outcome;
    }
    return ParseTableFile(bytes, path);
}

}  // namespace mk
