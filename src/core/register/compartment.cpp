#include "core/register/compartment.h"

#include <algorithm>
#include <array>

#include "core/graphics/null_canvas.h"
#include "core/host/messages.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/text/number_format.h"
#include "core/text/text_compare.h"
#include "core/yield/current_stand.h"
#include "core/yield/table_calc.h"
#include "core/yield/yield_state.h"

namespace mk {
namespace {

constexpr const char* kRoutineName = "TABLECALC";

// Keeps what the simulation says when it refuses or stops a run, and the
// first notice of the thinning methods (a bound that could not be reached),
// which does not make a compartment fail.
class StopMessages final : public Messages {
public:
    MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon,
                       MessageButtons) override {
        if (title == kRoutineName) {
            stop = text;
        } else if (notice.empty()) {
            notice = "[" + title + "] " + text;
        }
        return MessageAnswer::Ok;
    }
    std::string stop;
    std::string notice;
};

// The stand of every age the run reached, and the volume thinned at it.
class ReachedYears final : public YearSink {
public:
    void Year(const YearRowValues& row, bool thinned, const ThinningBookkeeping& thinning,
              double) override {
        if (row.age < 0 || row.age > kMaxAge) return;
        const auto a = static_cast<std::size_t>(row.age);
        rows[a] = row;
        reached[a] = true;
        thinnedVolume[a] = thinned ? thinning.VolumeThinned : 0;
    }
    std::array<YearRowValues, kMaxAge + 1> rows{};
    std::array<bool, kMaxAge + 1> reached{};
    std::array<double, kMaxAge + 1> thinnedVolume{};
};

// Fills the run record and the current stand as the yield wizard does for a
// run from the stand as it is now. Returns the reason when it cannot.
std::string PrepareRun(YieldState& ws, const CompartmentInput& c, const SimulationOptions& o) {
    const ParameterSet& set = *c.parameters;
    ws.Diagram = set.diagram;
    ws.HeightCurve = set.curve;
    RunSettings& run = ws.Run;
    if (c.thinning) {
        run = *c.thinning;
    } else {
        // Thinning by age with an empty schedule: the stand is left alone.
        ClearRunSettings(run);
        run.ThinningMethod = 1;
    }
    CurrentStandState& stand = ws.CurrentStand;
    stand = CurrentStandState{};
    if (c.siteClass == 0) {
        // The site class calculation works in tenths of a metre.
        const double h = RoundToInt(c.measuredHeight * 10) / 10.0;
        const std::optional<MeasuredSite> site = SiteFromMeasuredStand(ws.HeightCurve, c.age, h);
        if (!site) {
            return "上層樹高 " + FormatNumber(h, "0.0") + " m は林齢 " + IntText(c.age) +
                   " の地位曲線から離れすぎています";
        }
        run.SiteClass = kSiteMeasured;
        run.SiteCurveScale = site->scale;
        stand.SiteText = site->classText + "・推定";
        stand.SiteCalcAge = c.age;
        stand.SiteCalcHeight = h;
    } else {
        run.SiteClass = c.siteClass;
        run.SiteCurveScale = SiteCurveScale(ws.HeightCurve, c.siteClass).value_or(0);
    }
    run.StemSettingMethod = 2;
    run.CurrentAge = c.age;
    const int lastYear = o.years.empty() ? 0 : o.years.back();
    run.EndAge = std::min(c.age + lastYear, kMaxAge);

    const std::optional<double> height = CurrentHeightAt(run, stand, ws.HeightCurve, c.age);
    if (!height) return "PARファイルの曲線の種類が正しくありません";
    stand.CurrentHeight = *height;
    NullEventPump pump;
    if (c.stems > 0) {
        run.CurrentStemNumber = c.stems;
        RefreshCurrentStand(ws.Diagram, stand, c.stems, pump);
    } else {
        // On the natural-thinning curve of the planting density.
        stand.CurrentPlantingDensity = o.plantingDensity;
        run.CurrentStemNumber =
            RoundToInt(NaturalThinningStems(ws.Diagram, o.plantingDensity, stand.CurrentHeight));
    }
    return {};
}

}  // namespace

int ParseSiteClass(const std::string& text) {
    static const char* const names[][2] = {{"上", "1"}, {"中", "2"}, {"下", "3"}};
    for (int i = 0; i < 3; ++i) {
        for (const char* name : names[i]) {
            if (TextEquals(text, name)) return i + 1;
        }
    }
    return 0;
}

std::vector<CompartmentYear> SimulateCompartment(YieldState& ws, const CompartmentInput& c,
                                                 const SimulationOptions& o, std::string* notice) {
    std::vector<CompartmentYear> years(o.years.size());
    for (std::size_t i = 0; i < years.size(); ++i) {
        years[i].year = o.years[i];
        years[i].age = c.age + o.years[i];
    }
    auto failAll = [&](const std::string& reason) {
        for (CompartmentYear& y : years) y.error = reason;
        return years;
    };
    if (!c.error.empty()) return failAll(c.error);
    if (!c.parameters) return failAll("PRM・PARファイルがありません");

    StopMessages messages;
    if (!CheckDiagramType(c.parameters->diagram, kRoutineName, messages)) {
        return failAll(messages.stop);
    }
    const std::string refused = PrepareRun(ws, c, o);
    if (!refused.empty()) return failAll(refused);
    PrepareRunSettings(ws);

    ReachedYears reached;
    NullCanvas picture;
    NullEventPump pump;
    SimulateYears(ws, kYieldTableMode, picture, ProgressText{}, messages, pump, reached);
    if (notice) *notice = messages.notice;

    // Thinnings count from now: those made before an age belong to it.
    double cumulative = 0;
    double period = 0;
    int age = c.age;
    for (CompartmentYear& y : years) {
        if (y.age > kMaxAge) {
            y.error = "林齢が " + IntText(kMaxAge) + " を超えます";
            continue;
        }
        for (; age < y.age; ++age) {
            const double thinned = reached.thinnedVolume[static_cast<std::size_t>(age)];
            cumulative += thinned;
            period += thinned;
        }
        const auto a = static_cast<std::size_t>(y.age);
        if (!reached.reached[a]) {
            y.error = messages.stop.empty() ? "林齢 " + IntText(y.age) + " まで計算できません"
                                            : messages.stop;
            continue;
        }
        const YearRowValues& row = reached.rows[a];
        y.height = row.height;
        y.dbh = row.dbh;
        y.stems = row.stems;
        y.volume = row.volume;
        y.cumulativeThinned = cumulative;
        y.thinned = period;
        period = 0;
        if (c.carbon) {
            y.hasCarbon = true;
            y.carbon = CarbonPerHa(*c.carbon, row.volume, y.age);
        }
    }
    return years;
}

}  // namespace mk
