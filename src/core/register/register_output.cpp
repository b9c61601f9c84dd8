#include "core/register/register_output.h"

#include <charconv>

#include "core/register/carbon.h"
#include "core/register/register_csv.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

void AppendFixed(std::string& out, double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) return;
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // A value that rounds to zero is written without its sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos) {
        text.remove_prefix(1);
    }
    out += text;
}

}  // namespace

void AppendCompartmentRows(std::string& out, const CompartmentInput& c,
                           const std::vector<CompartmentYear>& years) {
    const std::string id = CsvField(c.id);
    for (const CompartmentYear& y : years) {
        out += id;
        out += ',';
        out += IntText(y.year);
        if (y.error.empty()) {
            out += ',';
            out += IntText(y.age);
            for (auto [value, decimals] : {std::pair{y.height, 2},
                                           {y.dbh, 2},
                                           {y.stems, 0},
                                           {y.volume, 2},
                                           {y.volume * c.area, 2},
                                           {y.thinned, 2},
                                           {y.cumulativeThinned, 2}}) {
                out += ',';
                AppendFixed(out, value, decimals);
            }
            out += ',';
            if (y.hasCarbon) AppendFixed(out, y.carbon, 3);
            out += ',';
            if (y.hasCarbon) AppendFixed(out, Co2Tonnes(y.carbon, c.area), 3);
            out += ",\r\n";
        } else {
            out += ",,,,,,,,,,,";
            out += CsvField(y.error);
            out += "\r\n";
        }
    }
}

void AddToTotals(YearTotals& t, const CompartmentInput& c, const CompartmentYear& y) {
    ++t.compartments;
    t.area += c.area;
    t.volume += y.volume * c.area;
    t.thinned += y.thinned * c.area;
    t.cumulativeThinned += y.cumulativeThinned * c.area;
    if (y.hasCarbon) {
        ++t.carbonCompartments;
        t.carbon += y.carbon * c.area;
        t.co2 += Co2Tonnes(y.carbon, c.area);
    }
}

std::string RegisterOutputHeader(bool english) {
    return english ? "id,year,age,height_m,dbh_cm,stems_per_ha,volume_m3_per_ha,volume_m3,"
                     "thinned_m3_per_ha,cumulative_thinned_m3_per_ha,carbon_tc_per_ha,co2_t,"
                     "error\r\n"
                   : "区画ID,経過年数,林齢,上層樹高(m),平均直径(cm),立木本数(本/ha),"
                     "材積(m3/ha),区画材積(m3),期間間伐材積(m3/ha),累計間伐材積(m3/ha),"
                     "炭素蓄積(t-C/ha),CO2(t-CO2),エラー\r\n";
}

std::string RegisterSummaryCsv(const RegisterSummary& s, bool english) {
    std::string out("\xEF\xBB\xBF");
    out += english ? "group,year,compartments,area_ha,volume_m3,thinned_m3,"
                     "cumulative_thinned_m3,carbon_tc,co2_t\r\n"
                   : "集計区分,経過年数,区画数,面積(ha),蓄積(m3),期間間伐材積(m3),"
                     "累計間伐材積(m3),炭素蓄積(t-C),CO2(t-CO2)\r\n";
    auto rows = [&](const std::string& group, const std::vector<YearTotals>& totals) {
        for (std::size_t i = 0; i < s.years.size() && i < totals.size(); ++i) {
            const YearTotals& t = totals[i];
            out += CsvField(group) + "," + IntText(s.years[i]) + "," + IntText(t.compartments);
            for (double v : {t.area, t.volume, t.thinned, t.cumulativeThinned}) {
                out += ',';
                AppendFixed(out, v, 2);
            }
            for (double v : {t.carbon, t.co2}) {
                out += ',';
                if (t.carbonCompartments > 0) AppendFixed(out, v, 3);
            }
            out += "\r\n";
        }
    };
    rows(english ? "all" : "全体", s.total);
    for (const ParameterSetTotals& set : s.byParameterSet) rows(set.name, set.years);
    return out;
}

}  // namespace mk
