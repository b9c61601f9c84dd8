#include "core/yield/table_calc.h"

#include <algorithm>
#include <cmath>

#include "core/graphics/canvas.h"
#include "core/host/messages.h"
#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/text/file_errors.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"
#include "core/text/text_file.h"
#include "core/yield/table_calc_internal.h"
#include "core/yield/table_report.h"

namespace mk {

namespace {

constexpr const char* kRoutineName = "TABLECALC";
constexpr double kDrawnVolumeMinimum = 20;

bool FinitePositive(double v) { return std::isfinite(v) && v > 0; }

// The year before the first age of a run from the current stand: on the
// curve the stand follows, used only for the first growth value and the
// first full-density check.
void SetYearBefore(YieldState& ws, int p) {
    YearArrays& y = ws.Years;
    if (auto h = SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, p)) y.YearHeight[p] = *h;
    y.YearStems[p] =
        NaturalThinningStems(ws.Diagram, ws.Working.CurvePlantingDensity, y.YearHeight[p]);
    y.YearVolume[p] = StandVolume(ws.Diagram, y.YearHeight[p], y.YearStems[p]);
}

double StemsOfYear(YieldState& ws, int mode, int a, bool checkFullDensity) {
    const DensityDiagramParameters& d = ws.Diagram;
    YearArrays& y = ws.Years;
    const double h = y.YearHeight[a];
    if (mode == kVolumeTableMode) {
        double n = HnpStems(ws.Hnp, h);
        const double full = FullDensityStems(d, h);
        if (full < n) n = full;
        return n;
    }
    if (ws.Working.OnFullDensityLine) return FullDensityStems(d, h);
    double n = NaturalThinningStems(d, ws.Working.CurvePlantingDensity, h);
    if (checkFullDensity && !ws.Working.ThinnedThisYear) {
        // Once the natural-thinning curve would keep more stems than the
        // full-density line allows, the stand follows that line instead.
        const double rN = y.YearStems[a - 1] / n;
        double rH = y.YearHeight[a - 1] / h;
        if (rH != 0) rH = std::pow(rH, d.Prm[12]);
        const double full = FullDensityStems(d, h);
        if (rN > rH && full < y.YearStems[a - 1]) {
            n = full;
            ws.Working.OnFullDensityLine = true;
        }
    }
    return n;
}

void DrawYear(Canvas& picture, int a, int a0, double stems, double volume) {
    const double x = DiagramX(stems);
    if (volume >= kDrawnVolumeMinimum) {
        const double y = DiagramY(volume);
        if (a == a0) {
            picture.Point(x, y, colors::DarkBlue);
        } else {
            picture.LineTo(x, y, colors::DarkBlue);
        }
        picture.Circle(x, y, 3, colors::DarkBlue);
    } else {
        // Below the plot area: park the drawing position on its lower edge so
        // that the first drawn year is joined from there.
        picture.Point(x, std::trunc(DiagramY(kDrawnVolumeMinimum)), colors::DarkBlue);
    }
}

void DrawThinning(Canvas& picture, double stems, double volume, const ThinningBookkeeping& t) {
    const double xAfter = DiagramX(t.StemsAfter);
    const double yAfter = DiagramY(t.VolumeAfter);
    picture.Line(DiagramX(stems), DiagramY(volume), xAfter, yAfter, colors::DarkBlue);
    picture.Circle(xAfter, yAfter, 3, colors::DarkBlue);
}

// Every value a thinning row shows; parameters outside what the equations
// allow can make the thinned stand uncomputable although the stand before
// the thinning was fine.
bool ThinningValuesFinite(const ThinningBookkeeping& t) {
    for (double v : {t.StemsAfter, t.StemsThinned, t.StemThinningRate, t.VolumeAfter,
                     t.VolumeThinned, t.VolumeThinningRate, t.CumulativeThinnedVolume,
                     t.BasalAreaAfter, t.BasalAreaThinned, t.DbhAfter, t.ThinnedDbh, t.RyAfter}) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

// Stops the run at an age that cannot be computed; that age is left as an
// age the run did not reach, so that no graph draws its values.
void StopUncomputable(Messages& messages, YearArrays& y, int age) {
    messages.Show(
        "林齢 " + IntText(age) + " で計算できない値になりました。パラメータを確認してください。",
        kRoutineName, MessageIcon::Error, MessageButtons::Ok);
    for (auto* column :
         {&y.YearHeight, &y.YearDbh, &y.YearVolume, &y.YearRy, &y.YearSlenderness, &y.YearStems}) {
        (*column)[age] = 0;
    }
}

// The rows of a yield table (a thinning year, and every fifth age) or of
// a stand volume table (reference ages 3, 8, 13, ...).
class TableRows final : public YearSink {
public:
    // siteClass: the class a stand volume table's rows belong to (1 for a
    // yield table).
    TableRows(TableFile& file, bool volumeMode, int siteClass)
        : file_(file), volumeMode_(volumeMode), siteClass_(siteClass) {}
    void Year(const YearRowValues& row, bool thinned, const ThinningBookkeeping& thinning,
              double totalYield) override {
        // Every year is kept as figures for the exports; listed marks the
        // years the text table shows.
        const bool listed = volumeMode_ ? (row.age + 2) % 5 == 0 : thinned || row.age % 5 == 0;
        file_.rows.push_back({siteClass_, listed, thinned, row, thinning, totalYield});
        if (volumeMode_) {
            if ((row.age + 2) % 5 == 0) file_.text += VolumeRow(row);
        } else if (thinned) {
            file_.text += ThinningRow(row, thinning, totalYield);
        } else if (row.age % 5 == 0) {
            file_.text += PlainRow(row, totalYield);
        }
    }

private:
    TableFile& file_;
    bool volumeMode_;
    int siteClass_;
};

}  // namespace

namespace detail {

double RyOr(const DensityDiagramParameters& d, double H, double N, double fallback) {
    return YieldIndex(d, H, N).value_or(fallback);
}

}  // namespace detail

bool CheckDiagramType(const DensityDiagramParameters& diagram, const std::string& title,
                      Messages& messages) {
    if (diagram.Prm[0] == 1.0 || diagram.Prm[0] == 2.0) return true;
    messages.Show("林分密度管理図の種類が正しくありません（1または2）。", title, MessageIcon::Error,
                  MessageButtons::Ok);
    return false;
}

void PrepareRunSettings(YieldState& ws) {
    const RunSettings& run = ws.Run;
    RunWorkingValues& w = ws.Working;
    w.CurvePlantingDensity = run.StemSettingMethod == 1 ? run.PlantingStemNumber
                                                        : ws.CurrentStand.CurrentPlantingDensity;
    w.ScheduleCount = run.ThinningCount;
    for (int i = 0; i < kScheduleEntries; ++i) {
        const bool copied = i <= run.ThinningCount && i < kThinningEntries;
        w.ScheduleKey[i] = copied ? run.ThinningKey[i] : 0;
        w.ScheduleRate[i] = copied ? run.ThinningRate[i] : 0;
    }
    w.NextThinAfterAge = run.ThinningFromAge;
    w.ThinBeforeAge = run.ThinningToAge;
    switch (run.ThinningMethod) {
        case 4:
            w.BoundUpper = run.RyTarget;
            w.BoundLower = run.RyTarget;
            break;
        case 5:
            w.BoundUpper = run.RyUpper;
            w.BoundLower = run.RyLower;
            break;
        case 6:
            w.BoundUpper = run.SlendernessUpper;
            w.BoundLower = run.SlendernessLower;
            break;
        default:
            break;
    }
}

std::string CloseTableFile(YieldState& ws, Messages& messages) {
    TableFile file = std::move(ws.OutputFile);
    ws.OutputFile = TableFile{};
    if (file.path.empty()) return {};
    std::string written = SaveUnderFreeName(file.path, file.text, messages);
    if (!written.empty()) ws.LastTable = FinishedTable(std::move(file), written);
    return written;
}

bool SimulateYears(YieldState& ws, int mode, Canvas& picture, const ProgressText& ageLabel,
                   Messages& messages, EventPump& pump, YearSink& sink) {
    const bool volumeMode = mode == kVolumeTableMode;
    const RunSettings& run = ws.Run;
    const DensityDiagramParameters& d = ws.Diagram;
    bool stopped = false;
    // Every run starts from the same clean state, whatever ran before it.
    ws.Years = YearArrays{};
    ws.Thinning = ThinningBookkeeping{};
    YearArrays& y = ws.Years;
    ThinningBookkeeping& t = ws.Thinning;

    const bool fromPlanting = volumeMode || run.StemSettingMethod == 1;
    int a0 = 1;
    if (fromPlanting) {
        y.YearVolume[0] = 0;
    } else {
        a0 = std::clamp(run.CurrentAge, 1, kMaxAge + 1);
        if (a0 <= kMaxAge) SetYearBefore(ws, a0 - 1);
    }
    t.CumulativeThinnedVolume = 0;
    ws.Working.ThinnedThisYear = false;
    ws.Working.OnFullDensityLine = false;

    const int lastAge = std::min(run.EndAge, kMaxAge);
    // The year before gives the first growth: when it cannot be computed,
    // neither can the first row, so the run stops there.
    if (!fromPlanting && a0 <= lastAge) {
        const int p = a0 - 1;
        if (!FinitePositive(y.YearHeight[p]) || !FinitePositive(y.YearStems[p]) ||
            !FinitePositive(y.YearVolume[p])) {
            StopUncomputable(messages, y, p);
            stopped = true;
            a0 = lastAge + 1;
        }
    }
    for (int a = a0; a <= lastAge; ++a) {
        pump.Pump();
        if (ageLabel) ageLabel("　林　齢　＝　" + IntText(a));
        t.VolumeThinned = 0;

        if (auto h = SiteHeight(ws.HeightCurve, run.SiteCurveScale, a)) y.YearHeight[a] = *h;
        // A planted stand has no year before its first: nothing to compare.
        const bool checkFullDensity = !(fromPlanting && a == a0);
        y.YearStems[a] = StemsOfYear(ws, mode, a, checkFullDensity);
        ws.Working.ThinnedThisYear = false;
        const double h = y.YearHeight[a];
        const double n = y.YearStems[a];
        y.YearVolume[a] = StandVolume(d, h, n);
        const double v = y.YearVolume[a];
        if (!FinitePositive(h) || !FinitePositive(n) || !FinitePositive(v)) {
            StopUncomputable(messages, y, a);
            stopped = true;
            break;
        }

        DrawYear(picture, a, a0, n, v);

        t.BasalAreaBefore = BasalArea(d, h, n);
        y.YearDbh[a] = MeanDbh(d, h, n);
        y.YearSlenderness[a] = h / y.YearDbh[a];
        y.YearRy[a] = detail::RyOr(d, h, n, y.YearRy[a]);
        if (!std::isfinite(t.BasalAreaBefore) || !std::isfinite(y.YearDbh[a]) ||
            !std::isfinite(y.YearRy[a])) {
            StopUncomputable(messages, y, a);
            stopped = true;
            break;
        }

        double growth = v - y.YearVolume[a - 1];
        if (growth < 0) growth = v - t.VolumeAfter;
        const double meanGrowth = v / a;

        if (!volumeMode && !detail::ThinningDecision(ws, a, messages, pump)) {
            StopUncomputable(messages, y, a);
            stopped = true;
            break;
        }

        const double totalYield = v + t.CumulativeThinnedVolume - t.VolumeThinned;
        if (ws.Working.ThinnedThisYear &&
            (!ThinningValuesFinite(t) || !std::isfinite(totalYield))) {
            StopUncomputable(messages, y, a);
            stopped = true;
            break;
        }
        const YearRowValues row{a, h,      y.YearDbh[a], n,          t.BasalAreaBefore,
                                v, growth, meanGrowth,   y.YearRy[a]};
        sink.Year(row, !volumeMode && ws.Working.ThinnedThisYear, t, totalYield);
        if (!volumeMode && ws.Working.ThinnedThisYear) {
            // Later years follow the natural-thinning curve through the
            // thinned stand.
            ws.Working.CurvePlantingDensity =
                PlantingDensityThrough(d, ws.Working.CurvePlantingDensity, t.StemsAfter, h, pump);
            DrawThinning(picture, n, v, t);
        }
    }
    return stopped;
}

TableCalcOutcome TABLECALC(YieldState& ws, int mode, Canvas& picture, const ProgressText& ageLabel,
                           Messages& messages, EventPump& pump) {
    TableCalcOutcome outcome;
    const bool volumeMode = mode == kVolumeTableMode;
    if (volumeMode && !ws.OutputFile.IsOpen()) return outcome;
    if (!CheckDiagramType(ws.Diagram, kRoutineName, messages)) {
        // A stand volume table that cannot be computed leaves no file behind.
        if (volumeMode) ws.OutputFile = TableFile{};
        return outcome;
    }

    const RunSettings& run = ws.Run;
    if (!volumeMode) {
        const std::string name =
            MakeSaveName(FolderPart(ws.HeightCurve.HeightCurveSource), ".150", messages);
        if (name.empty()) return outcome;
        ws.OutputFile = TableFile{name, {}, TableKind::Yield, {}};
        ws.OutputFile.text =
            YieldTableHeading(FileNamePart(run.PrmFileName), FileNamePart(run.ParFileName),
                              SiteClassName(run.SiteClass, ws.CurrentStand.SiteText),
                              ThinningMethodName(run.ThinningMethod));
    } else {
        ws.OutputFile.text += VolumeTableHeading(
            SiteClassName(ws.VolumeTableSiteClass), FileNamePart(run.PrmFileName),
            FileNamePart(run.ParFileName), FileNamePart(ws.HnpFileName));
    }
    outcome.started = true;

    TableRows rows(ws.OutputFile, volumeMode, volumeMode ? ws.VolumeTableSiteClass : 1);
    outcome.stopped = SimulateYears(ws, mode, picture, ageLabel, messages, pump, rows);

    int series = 1;
    if (volumeMode) {
        ws.OutputFile.text += RuleLine(kVolumeRuleWidth);
        ws.OutputFile.text += FormFeedLine();
        series = std::clamp(ws.VolumeTableSiteClass, 1, kSeriesCount);
    } else {
        ws.OutputFile.text += RuleLine(kYieldRuleWidth);
        outcome.writtenPath = CloseTableFile(ws, messages);
    }
    CopyToResultSeries(ws.Years, ws.Results, series);
    return outcome;
}

}  // namespace mk
