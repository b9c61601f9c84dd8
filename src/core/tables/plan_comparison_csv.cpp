#include "core/tables/plan_comparison_csv.h"

#include "core/tables/table_csv.h"
#include "core/text/file_errors.h"
#include "core/text/file_save.h"
#include "core/text/number_format.h"
#include "core/text/text_file.h"

namespace mk {

std::string PlanComparisonCsv(const PlanComparison& comparison) {
    std::string csv = "\xEF\xBB\xBF計画,林齢";
    const auto& columns = ComparisonColumns();
    for (const ComparisonColumn& column : columns) {
        std::string heading = column.heading;
        if (*column.unit != '\0') heading += std::string("（") + column.unit + "）";
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a
        // literal joined to a string temporary.
        csv += ',';
        csv += CsvField(heading);
    }
    csv += ",最良";
    csv += kCrLf;
    for (const PlanComparisonRow& row : comparison.rows) {
        csv += IntText(row.plan);
        csv += ',';
        csv += IntText(comparison.endAge);
        std::string best;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            csv += ",";
            if (row.complete) csv += ExactNumberText(row.values[c]);
            if (!row.best[c]) continue;
            if (!best.empty()) best += "・";
            best += columns[c].heading;
        }
        csv += ',';
        csv += CsvField(best);
        csv += kCrLf;
    }
    return csv;
}

bool WritePlanComparisonCsv(const std::string& path, const PlanComparison& comparison,
                            Messages& messages) {
    if (WriteFileAtomically(path, PlanComparisonCsv(comparison))) return true;
    ReportWriteFailure(messages, path);
    return false;
}

}  // namespace mk
