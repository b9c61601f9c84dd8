#include "core/tables/result_report.h"

#include "core/model/site_class.h"
#include "core/planning/plan_settings.h"
#include "core/text/number_format.h"
#include "core/yield/run_settings.h"
#include "core/yield/run_summary.h"

namespace mk {
namespace {

constexpr std::string_view kVolumeFirst = "        林分材積表";
constexpr std::string_view kYieldFirst = "林分収穫予測表";
constexpr std::string_view kPlanFirst = "収穫予測    使用ファイル：";
// Heading lines of one table: title lines, rules, column headings, units.
constexpr std::size_t kYieldHeadingLines = 16;
constexpr std::size_t kVolumeHeadingLines = 15;

bool StartsWith(const std::string& text, std::string_view prefix) {
    return std::string_view(text).substr(0, prefix.size()) == prefix;
}

bool StartsTable(TableKind kind, const std::string& line) {
    switch (kind) {
        case TableKind::Yield:
            return StartsWith(line, kYieldFirst);
        case TableKind::Plan:
            return StartsWith(line, kPlanFirst);
        case TableKind::Volume:
            return StartsWith(line, kVolumeFirst);
    }
    return false;
}

void AddFileFacts(ResultReport& report, const RunSettings& run) {
    report.facts.emplace_back("林分密度管理図(PRM)", run.PrmFileName);
    report.facts.emplace_back("上層樹高曲線式(PAR)", run.ParFileName);
}

ResultReport Started(TableKind kind, const ResultTable& table, const std::string& when) {
    ResultReport report;
    report.title = TableKindTitle(kind);
    report.table = table;
    report.facts.emplace_back("作成日時", when);
    return report;
}

}  // namespace

std::string TableKindTitle(TableKind kind) {
    switch (kind) {
        case TableKind::Yield:
            return "収穫予測表";
        case TableKind::Plan:
            return "収穫予測（施業体系の編成）";
        case TableKind::Volume:
            return "林分材積表";
    }
    return {};
}

std::vector<TableBlock> TableBlocks(const ResultTable& table) {
    std::vector<TableBlock> blocks;
    const std::size_t headingLines =
        table.kind == TableKind::Volume ? kVolumeHeadingLines : kYieldHeadingLines;
    for (std::size_t i = 0; i < table.lines.size(); ++i) {
        const std::string& line = table.lines[i];
        if (StartsTable(table.kind, line) || blocks.empty()) {
            TableBlock block;
            const std::size_t end = std::min(table.lines.size(), i + headingLines);
            block.heading.assign(table.lines.begin() + static_cast<std::ptrdiff_t>(i),
                                 table.lines.begin() + static_cast<std::ptrdiff_t>(end));
            blocks.push_back(std::move(block));
            i = end - 1;
            continue;
        }
        if (line == "\f") continue;
        blocks.back().body.push_back(line);
    }
    return blocks;
}

ResultReport YieldRunReport(const RunSettings& run, const CurrentStandState& stand,
                            const ResultTable& table, RunPictures pictures,
                            const std::string& when) {
    ResultReport report = Started(TableKind::Yield, table, when);
    AddFileFacts(report, run);
    report.facts.emplace_back("地位", SiteClassName(run.SiteClass, stand.SiteText));
    report.facts.emplace_back("間伐方式", ThinningMethodName(run.ThinningMethod));
    report.facts.emplace_back("表ファイル", table.path);
    report.summary = RunSummary(run, stand);
    report.pictureSets.push_back({"", std::move(pictures)});
    return report;
}

ResultReport PlanRunReport(const RunSettings& run, const CurrentStandState& stand,
                           const PlanSettings& plan, const ResultTable& table,
                           std::vector<RunPictures> pictures, const std::string& when) {
    ResultReport report = Started(TableKind::Plan, table, when);
    AddFileFacts(report, run);
    report.facts.emplace_back("地位", SiteClassName(run.SiteClass, stand.SiteText));
    report.facts.emplace_back("表ファイル", table.path);
    report.facts.emplace_back("計算林齢", IntText(plan.StartAge) + "～" + IntText(plan.EndAge));
    if (plan.TargetDecided == 1) {
        report.facts.emplace_back("目標本数", FormatNumber(plan.TargetStemNumber, "0"));
    }
    report.facts.emplace_back("収量比数の限界", FormatNumber(plan.RyLimit, "0.00"));
    for (std::size_t k = 0; k < pictures.size(); ++k) {
        const std::string n = IntText(static_cast<long long>(k + 1));
        report.pictureSets.push_back(
            {"計画 " + n + "（間伐回数 " + n + "）", std::move(pictures[k])});
    }
    return report;
}

ResultReport VolumeRunReport(const RunSettings& run, const std::string& hnpFileName,
                             const ResultTable& table, std::vector<RunPictures> pictures,
                             const std::string& when) {
    ResultReport report = Started(TableKind::Volume, table, when);
    AddFileFacts(report, run);
    report.facts.emplace_back("上層樹高－本数曲線式(HNP)", hnpFileName);
    report.facts.emplace_back("表ファイル", table.path);
    for (std::size_t k = 0; k < pictures.size(); ++k) {
        report.pictureSets.push_back(
            {"地位 " + SiteClassName(static_cast<int>(k + 1)), std::move(pictures[k])});
    }
    return report;
}

ResultReport ReopenedTableReport(const ResultTable& table, const std::string& when) {
    ResultReport report = Started(table.kind, table, when);
    report.facts.emplace_back("表ファイル", table.path);
    return report;
}

}  // namespace mk
