#pragma once
// The content of the printed report of one result: a title block (what was
// computed, when, from which files, the run's summary), the table in pages
// with its heading repeated, and the pictures of each plan or site class.
// The layout on paper belongs to the renderer; this is only what it shows.

#include <string>
#include <utility>
#include <vector>

#include "core/graphics/run_pictures.h"
#include "core/yield/result_table.h"

namespace mk {

struct CurrentStandState;
struct PlanSettings;
struct RunSettings;

struct ReportPictureSet {
    std::string caption;  // "計画 2（間伐回数 2）", "地位 中"; empty for a yield run
    RunPictures pictures;
};

struct ResultReport {
    std::string title;                                       // "収穫予測表" …
    std::vector<std::pair<std::string, std::string>> facts;  // label, value
    std::string summary;                                     // lines end in CR LF
    ResultTable table;
    std::vector<ReportPictureSet> pictureSets;
};

// One table of the file on paper: its heading block, repeated at the top of
// each page it runs over, and its rows with the closing rule.
struct TableBlock {
    std::vector<std::string> heading;
    std::vector<std::string> body;
};

// Splits the table's lines into its tables (one for a yield table, one per
// plan or site class). A form feed line ends a site class and is not kept.
std::vector<TableBlock> TableBlocks(const ResultTable& table);

// The report of a yield run. when: the date and time shown as 作成日時.
ResultReport YieldRunReport(const RunSettings& run, const CurrentStandState& stand,
                            const ResultTable& table, RunPictures pictures,
                            const std::string& when);
// The report of the five plans; pictures[k - 1] belong to plan k.
ResultReport PlanRunReport(const RunSettings& run, const CurrentStandState& stand,
                           const PlanSettings& plan, const ResultTable& table,
                           std::vector<RunPictures> pictures, const std::string& when);
// The report of a stand volume table; pictures[k - 1] belong to site class k.
ResultReport VolumeRunReport(const RunSettings& run, const std::string& hnpFileName,
                             const ResultTable& table, std::vector<RunPictures> pictures,
                             const std::string& when);
// The report of a table file read back: its table only.
ResultReport ReopenedTableReport(const ResultTable& table, const std::string& when);

// "収穫予測表", "収穫予測（施業体系の編成）", "林分材積表"
std::string TableKindTitle(TableKind kind);

}  // namespace mk
