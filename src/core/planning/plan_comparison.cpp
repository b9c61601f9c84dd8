#include "core/planning/plan_comparison.h"

#include <algorithm>

#include "core/planning/planning_state.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"

namespace mk {

namespace {

// ASCII, so that the columns stay aligned whatever width a terminal gives
// the ambiguous-width marks.
constexpr const char* kBestMark = "*";

// Display width of text: the marks and Japanese letters take two columns.
int Width(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) {
        if (c < 0x80) {
            ++width;
        } else if (c >= 0xC0) {
            width += 2;  // the first byte of a multi-byte letter
        }
    }
    return width;
}

std::string PadLeft(const std::string& text, int width) {
    return std::string(static_cast<std::size_t>(std::max(0, width - Width(text))), ' ') + text;
}

}  // namespace

const std::array<ComparisonColumn, kComparisonColumns>& ComparisonColumns() {
    static const std::array<ComparisonColumn, kComparisonColumns> columns{{
        {"間伐回数", "回", "0", false, "少ないほど手間と費用が少ない"},
        {"間伐材積計", "m3/ha", "0.0", true, "多いほど途中で得られる材が多い"},
        {"主林木材積", "m3/ha", "0.0", true, "多いほど終わりに残る材が多い"},
        {"平均直径", "cm", "0.0", true, "太いほど材の価値が高い"},
        {"総収穫量", "m3/ha", "0.0", true, "多いほど林分全体の生産が多い"},
        {"収量比数", "", "0.00", false, "低いほど込み合わず、一本一本がよく育つ"},
        {"形状比", "", "0", false, "低いほど風害・雪害に強い"},
    }};
    return columns;
}

PlanComparison ComparePlans(const PlanningState& workspace) {
    PlanComparison comparison;
    comparison.endAge = std::min(workspace.Plan.EndAge, kMaxAge);
    for (int k = 1; k <= kPlanCount; ++k) {
        const PlanOutcome& outcome = workspace.Outcomes[static_cast<std::size_t>(k)];
        PlanComparisonRow& row = comparison.rows[static_cast<std::size_t>(k - 1)];
        row.plan = k;
        row.complete = outcome.ran && outcome.reachedEnd;
        const YearRowValues& end = outcome.endRow;
        row.values = {static_cast<double>(outcome.thinnings),
                      outcome.thinnedVolume,
                      end.volume,
                      end.dbh,
                      end.volume + outcome.thinnedBeforeEnd,
                      end.ry,
                      end.dbh != 0 ? end.height / end.dbh * 100 : 0};
    }
    const auto& columns = ComparisonColumns();
    for (int c = 0; c < kComparisonColumns; ++c) {
        const auto column = static_cast<std::size_t>(c);
        // Compared as shown: the shown text read back is exact to its decimals.
        auto shown = [&](const PlanComparisonRow& row) {
            return ParseReal(FormatNumber(row.values[column], columns[column].format)).value_or(0);
        };
        bool any = false;
        double best = 0;
        for (const PlanComparisonRow& row : comparison.rows) {
            if (!row.complete) continue;
            const double v = shown(row);
            if (!any || (columns[column].higherIsBetter ? v > best : v < best)) best = v;
            any = true;
        }
        for (PlanComparisonRow& row : comparison.rows) {
            row.best[column] = row.complete && shown(row) == best;
        }
    }
    return comparison;
}

std::string ComparisonCell(const PlanComparisonRow& row, int column) {
    if (!row.complete || column < 0 || column >= kComparisonColumns) return {};
    const auto c = static_cast<std::size_t>(column);
    return FormatNumber(row.values[c], ComparisonColumns()[c].format);
}

std::string PlanComparisonText(const PlanComparison& comparison) {
    const auto& columns = ComparisonColumns();
    constexpr int kCellWidth = 12;
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a literal
    // joined to a string temporary.
    std::string text = "施業体系の比較（林齢 ";
    text += IntText(comparison.endAge);
    text += std::string(" 年、") + kBestMark + "：各列で最良）\n";
    std::string heading = "計画";
    std::string units = PadLeft("", Width(heading));
    for (const ComparisonColumn& column : columns) {
        heading += PadLeft(column.heading, kCellWidth);
        units += PadLeft(column.unit, kCellWidth);
    }
    text += heading + "\n" + units + "\n";
    for (const PlanComparisonRow& row : comparison.rows) {
        std::string line = PadLeft(IntText(row.plan), Width("計画"));
        for (int c = 0; c < kComparisonColumns; ++c) {
            std::string cell = row.complete ? ComparisonCell(row, c) : "－";
            cell += row.best[static_cast<std::size_t>(c)] ? kBestMark : " ";
            line += PadLeft(cell, kCellWidth);
        }
        text += line + "\n";
    }
    text += "計画 k は間伐を最大 k 回まで行う案です。\n";
    for (const ComparisonColumn& column : columns) {
        text += std::string(column.heading) + "：" + (column.higherIsBetter ? "大きい" : "小さい") +
                "ほど良い（" + column.why + "）\n";
    }
    return text;
}

}  // namespace mk
