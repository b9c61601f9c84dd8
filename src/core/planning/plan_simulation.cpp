#include "core/planning/plan_simulation.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "core/graphics/canvas.h"
#include "core/graphics/density_diagram_frame.h"
#include "core/host/messages.h"
#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/planning/plan_table.h"
#include "core/planning/planning_state.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"
#include "core/yield/table_report.h"

namespace mk {

namespace {

constexpr double kStemFloor = 150;
// The backward search for the stand before a thinning gives up here: a
// yield index that no real stand density reaches cannot be thinned from.
constexpr double kStemCeiling = 100000;
// The policy's coarse search takes 100 stems at a time down to the floor:
// enough steps for a stand at the ceiling. A stand of far more stems (from
// parameters outside what the equations allow; taking 100 off a large
// enough number does not even change it) cannot be searched, and the plan
// stops there as at any value it cannot compute. Its other loops end by
// their own conditions, as do those of the backward search, which never
// goes above the ceiling.
constexpr int kMaxCoarseSteps = static_cast<int>(kStemCeiling / 100);
constexpr Color kPathColor = colors::DarkBlue;
constexpr double kMarkerRadius = 3;
constexpr const char* kTitle = "TABLECALC2";

bool FinitePositive(double value) { return std::isfinite(value) && value > 0; }

std::string AgeCaption(int age) { return "　林　齢　＝　" + IntText(age); }

std::string PlanTitle(const char* routine, int plan) { return routine + IntText(plan); }

double SiteHeightAt(const PlanningState& ws, int age, double keep) {
    const std::optional<double> h = SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, age);
    return h ? *h : keep;
}

class PlanRun {
public:
    PlanRun(PlanningState& ws, Canvas& picture,
            const std::function<void(const std::string&)>& ageLabel, Messages& messages,
            EventPump& pump)
        : ws_(ws),
          p_(ws.Plan),
          w_(ws.PlanWorking),
          y_(ws.Years),
          t_(ws.Thinning),
          d_(ws.Diagram),
          picture_(picture),
          ageLabel_(ageLabel),
          messages_(messages),
          pump_(pump),
          mode_(PlanModeOf(ws.Plan)) {}

    void Run();

private:
    bool Backward() const { return mode_ == PlanMode::Backward; }
    int Plan() const { return w_.PlanThinnings; }

    void PrepareYearBefore();
    bool SimulateYear(int age, bool firstYear, bool lastYear);
    double StemsOfYear(int age, double H, bool firstYear);
    void DrawYear(int age, bool endOfLoop);
    double GrowthOfYear(int age);
    void ThinForward(int age);
    bool ThinByPolicy(int age);
    void ThinBackward(int age);
    void DrawThinning(int age);
    bool WriteRow(int age, double growth, double meanGrowth);
    void StopAt(int age);
    void Append(const std::string& text) {
        if (ws_.OutputFile.IsOpen()) ws_.OutputFile.text += text;
    }

    PlanningState& ws_;
    PlanSettings& p_;
    PlanWorkingValues& w_;
    YearArrays& y_;
    ThinningBookkeeping& t_;
    const DensityDiagramParameters& d_;
    Canvas& picture_;
    const std::function<void(const std::string&)>& ageLabel_;
    Messages& messages_;
    EventPump& pump_;
    PlanMode mode_;
};

void PlanRun::Run() {
    Append(PlanTableHeading(FileNamePart(ws_.Run.PrmFileName), FileNamePart(ws_.Run.ParFileName),
                            SiteClassName(ws_.Run.SiteClass, ws_.CurrentStand.SiteText)));
    t_.CumulativeThinnedVolume = 0;
    w_.ThinnedThisYear = false;
    w_.OnFullDensityLine = false;
    if (!Backward()) PrepareYearBefore();

    // Ages outside the arrays cannot be simulated; the wizard never asks for them.
    const int first = std::max(p_.StartAge, 1);
    const int last = std::min(p_.EndAge, kMaxAge);
    for (int i = first; i <= last; ++i) {
        const int age = Backward() ? p_.EndAge - i + 1 : i;
        if (age < 1 || age > kMaxAge) continue;
        if (!SimulateYear(age, i == first, i == last)) {
            StopAt(age);
            break;
        }
    }
    Append(RuleLine(kYieldRuleWidth));
    CopyToResultSeries(y_, ws_.Results, Plan());
}

// The year before the first age gives the first growth value and the
// first full-density check: the starting stand one year younger on its
// curve, or an empty stand before a plan that starts at age 1.
void PlanRun::PrepareYearBefore() {
    const int before = p_.StartAge - 1;
    if (before < 0 || before > kMaxAge) return;
    if (before == 0) {
        y_.YearVolume[0] = 0;
        return;
    }
    y_.YearHeight[before] = SiteHeightAt(ws_, before, y_.YearHeight[before]);
    y_.YearStems[before] = NaturalThinningStems(d_, w_.CurvePlantingDensity, y_.YearHeight[before]);
    y_.YearVolume[before] = StandVolume(d_, y_.YearHeight[before], y_.YearStems[before]);
}

double PlanRun::StemsOfYear(int age, double H, bool firstYear) {
    if (w_.OnFullDensityLine) return FullDensityStems(d_, H);
    double N = NaturalThinningStems(d_, w_.CurvePlantingDensity, H);
    // A stand whose natural-thinning curve would pass the full-density line
    // is held on that line until its next thinning. A plan from age 1 has
    // no year before to compare with, and a backward plan runs against time.
    const bool noYearBefore = firstYear && p_.StartAge <= 1;
    if (Backward() || w_.ThinnedThisYear || noYearBefore) return N;
    const double rN = y_.YearStems[age - 1] / N;
    double rH = y_.YearHeight[age - 1] / H;
    if (rH != 0) rH = std::pow(rH, d_.Prm[12]);
    const double full = FullDensityStems(d_, H);
    if (rN > rH && full < y_.YearStems[age - 1]) {
        N = full;
        w_.OnFullDensityLine = true;
    }
    return N;
}

bool PlanRun::SimulateYear(int age, bool firstYear, bool lastYear) {
    pump_.Pump();
    if (ageLabel_) ageLabel_(AgeCaption(age));
    t_.VolumeThinned = 0;

    const double H = SiteHeightAt(ws_, age, y_.YearHeight[age]);
    const double N = StemsOfYear(age, H, firstYear);
    w_.ThinnedThisYear = false;
    const double V = StandVolume(d_, H, N);
    if (!FinitePositive(H) || !FinitePositive(N) || !FinitePositive(V)) return false;
    y_.YearHeight[age] = H;
    y_.YearStems[age] = N;
    y_.YearVolume[age] = V;

    DrawYear(age, firstYear || lastYear);

    t_.BasalAreaBefore = BasalArea(d_, H, N);
    y_.YearDbh[age] = MeanDbh(d_, H, N);
    y_.YearSlenderness[age] = H / y_.YearDbh[age];
    if (const auto ry = YieldIndex(d_, H, N)) y_.YearRy[age] = *ry;

    const double growth = GrowthOfYear(age);
    const double meanGrowth = V / age;

    switch (mode_) {
        case PlanMode::Forward:
            ThinForward(age);
            break;
        case PlanMode::Policy:
            if (!ThinByPolicy(age)) return false;
            break;
        case PlanMode::Backward:
            ThinBackward(age);
            break;
        case PlanMode::None:
            break;
    }

    if (!WriteRow(age, growth, meanGrowth)) return false;
    if (w_.ThinnedThisYear) {
        if (!Backward()) {
            // The following years follow the natural-thinning curve through
            // the thinned stand.
            w_.CurvePlantingDensity =
                PlantingDensityThrough(d_, w_.CurvePlantingDensity, t_.StemsAfter, H, pump_);
        }
        DrawThinning(age);
    }
    return true;
}

// Growth of the year: the change from the year before, or, when a thinning
// made that negative, the growth since the thinned stand. Running backward,
// the year before is the younger stand on the curve followed now, since the
// run has not reached it yet.
double PlanRun::GrowthOfYear(int age) {
    const double V = y_.YearVolume[age];
    double before = 0;
    if (Backward()) {
        if (age - 1 > 0) {
            const double h = SiteHeightAt(ws_, age - 1, y_.YearHeight[age - 1]);
            before = StandVolume(d_, h, NaturalThinningStems(d_, w_.CurvePlantingDensity, h));
        }
    } else {
        before = y_.YearVolume[age - 1];
    }
    double growth = V - before;
    if (growth < 0) growth = V - t_.VolumeAfter;
    return growth;
}

void PlanRun::DrawYear(int age, bool endOfLoop) {
    const double x = DiagramX(y_.YearStems[age]);
    const double V = y_.YearVolume[age];
    if (V >= 20) {
        const double yPix = DiagramY(V);
        if (endOfLoop) {
            picture_.Point(x, yPix, kPathColor);
        } else {
            picture_.LineTo(x, yPix, kPathColor);
        }
        picture_.Circle(x, yPix, kMarkerRadius, kPathColor);
    } else {
        picture_.Point(x, DensityDiagramFrame().bottom, kPathColor);
    }
}

void PlanRun::DrawThinning(int age) {
    const double x = DiagramX(t_.StemsAfter);
    const double y = DiagramY(t_.VolumeAfter);
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    picture_.LineTo(x, y, kPathColor);
    if (Backward()) {
        // Running backward the stand before the thinning is the one the
        // younger years lead to.
        picture_.Circle(DiagramX(y_.YearStems[age]), DiagramY(y_.YearVolume[age]), kMarkerRadius,
                        kPathColor);
    } else {
        picture_.Circle(x, y, kMarkerRadius, kPathColor);
    }
}

bool ThinningAllowed(const PlanWorkingValues& w, int age) {
    return w.NextThinAfterAge < age && age < w.ThinBeforeAge;
}

// Mode A: k - 1 geometric steps from the current stem number towards the
// target's planting density, then onto the target's curve.
void PlanRun::ThinForward(int age) {
    const double N = y_.YearStems[age];
    if (!ThinningAllowed(w_, age)) return;
    if (!(y_.YearRy[age] >= w_.RyLimit || y_.YearSlenderness[age] >= w_.SlendernessLimit)) return;
    const ThinningBookkeeping saved = t_;
    if (w_.ThinningNumber < Plan()) {
        t_.StemsAfter = N * w_.StepRatio;
    } else {
        t_.StemsAfter = NaturalThinningStems(d_, p_.TargetPlantingDensity, y_.YearHeight[age]);
    }
    t_.StemsThinned = N - t_.StemsAfter;
    if (!(t_.StemsThinned > 1)) {
        t_ = saved;
        return;
    }
    t_.StemThinningRate = t_.StemsThinned / N * 100;
    if (SUBCALC2(ws_, age, messages_)) {
        w_.ThinningNumber += 1;
        w_.NextThinAfterAge = age + w_.IntervalLessOne;
    } else {
        t_ = saved;
    }
}

// Mode B: thin to the stem number, to one stem, at which Ry falls below the
// present Ry less the step. False: the search could not reach its bound
// within its steps.
bool PlanRun::ThinByPolicy(int age) {
    const double N = y_.YearStems[age];
    if (!ThinningAllowed(w_, age) || w_.ThinningNumber > Plan()) return true;
    if (!(y_.YearRy[age] >= w_.RyLimit || y_.YearSlenderness[age] >= w_.SlendernessLimit)) {
        return true;
    }
    // A stand at or below the floor has nothing to give, and the search
    // down to the floor could never end.
    if (N <= kStemFloor) return true;

    const ThinningBookkeeping saved = t_;
    t_.RyAfter = y_.YearRy[age];
    const double goal = y_.YearRy[age] - p_.RyStep;
    t_.StemsAfter = N;
    int steps = 0;
    while (t_.RyAfter >= goal) {
        if (++steps > kMaxCoarseSteps) {
            t_ = saved;
            return false;
        }
        pump_.Pump();
        t_.StemsAfter -= 100;
        if (t_.StemsAfter < kStemFloor) t_.StemsAfter = kStemFloor;
        if (N < t_.StemsAfter) t_.StemsAfter = N;
        ComputeRyAfter(ws_, age);
        if (t_.StemsAfter == kStemFloor) break;
    }
    if (t_.StemsAfter != kStemFloor) {
        while (t_.RyAfter < goal && t_.StemsAfter < kStemCeiling) {
            pump_.Pump();
            t_.StemsAfter += 10;
            ComputeRyAfter(ws_, age);
        }
        while (t_.RyAfter >= goal && t_.StemsAfter > kStemFloor) {
            pump_.Pump();
            t_.StemsAfter -= 1;
            ComputeRyAfter(ws_, age);
        }
    }
    if (t_.StemsAfter == kStemFloor) {
        messages_.Show("収量比数 " + FormatNumber(goal, "0.00") + " まで落せません。",
                       PlanTitle("TABLECALC2 ", Plan()), MessageIcon::Error);
    }
    t_.StemsThinned = N - t_.StemsAfter;
    t_.StemThinningRate = t_.StemsThinned / N * 100;
    if (SUBCALC2(ws_, age, messages_)) {
        w_.ThinningNumber += 1;
        w_.NextThinAfterAge = age + w_.IntervalLessOne;
    } else {
        t_ = saved;
    }
    return true;
}

// Mode C: running back from the target, a stand whose Ry has fallen to the
// lower edge of the band was thinned this year from the stand whose Ry is
// just above the limit.
void PlanRun::ThinBackward(int age) {
    if (!ThinningAllowed(w_, age) || w_.ThinningNumber > Plan()) return;
    if (!(y_.YearRy[age] <= w_.RyLimit - p_.RyStep)) return;

    const ThinningBookkeeping saved = t_;
    const double reached = y_.YearStems[age];
    t_.RyAfter = y_.YearRy[age];
    t_.StemsAfter = reached;
    while (t_.RyAfter <= w_.RyLimit && t_.StemsAfter < kStemCeiling) {
        pump_.Pump();
        t_.StemsAfter = std::min(t_.StemsAfter + 100, kStemCeiling);
        ComputeRyAfter(ws_, age);
    }
    if (!(t_.RyAfter > w_.RyLimit)) {
        t_ = saved;
        return;
    }
    while (t_.RyAfter > w_.RyLimit && t_.StemsAfter > 10) {
        pump_.Pump();
        t_.StemsAfter -= 10;
        ComputeRyAfter(ws_, age);
    }
    while (t_.RyAfter <= w_.RyLimit && t_.StemsAfter < kStemCeiling + 10) {
        pump_.Pump();
        t_.StemsAfter += 1;
        ComputeRyAfter(ws_, age);
    }
    // The year now holds the denser stand before the thinning, StemsAfter
    // the stand the backward run had reached.
    y_.YearStems[age] = t_.StemsAfter;
    t_.StemsAfter = reached;
    const double N = y_.YearStems[age];
    t_.StemsThinned = N - t_.StemsAfter;
    t_.StemThinningRate = t_.StemsThinned / N * 100;
    ReverseThinStep(ws_, age);
    w_.ThinningNumber += 1;
    // The younger years follow the curve of the stand before the thinning.
    w_.CurvePlantingDensity = PlantingDensityThrough(d_, 5 * N, N, y_.YearHeight[age], pump_);
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

bool PlanRun::WriteRow(int age, double growth, double meanGrowth) {
    YearRowValues row;
    row.age = age;
    row.height = y_.YearHeight[age];
    row.dbh = y_.YearDbh[age];
    row.stems = y_.YearStems[age];
    row.basalArea = t_.BasalAreaBefore;
    row.volume = y_.YearVolume[age];
    row.growth = growth;
    row.meanGrowth = meanGrowth;
    row.ry = y_.YearRy[age];
    const double totalYield = row.volume + t_.CumulativeThinnedVolume - t_.VolumeThinned;
    if (!AllFinite({row.height, row.dbh, row.stems, row.basalArea, row.volume, row.growth,
                    row.meanGrowth, row.ry, totalYield})) {
        return false;
    }
    if (w_.ThinnedThisYear) {
        const ThinningBookkeeping& t = t_;
        if (!AllFinite({t.ThinnedDbh, t.StemsThinned, t.StemThinningRate, t.BasalAreaThinned,
                        t.VolumeThinned, t.VolumeThinningRate, t.CumulativeThinnedVolume,
                        t.DbhAfter, t.StemsAfter, t.BasalAreaAfter, t.VolumeAfter, t.RyAfter})) {
            return false;
        }
        Append(ThinningRow(row, t_, totalYield));
    } else if (age % 5 == 0) {
        Append(PlainRow(row, totalYield));
    }
    if (ws_.OutputFile.IsOpen()) {
        ws_.OutputFile.rows.push_back(
            {Plan(), w_.ThinnedThisYear || age % 5 == 0, w_.ThinnedThisYear, row, t_, totalYield});
    }
    return true;
}

void PlanRun::StopAt(int age) {
    messages_.Show(
        "林齢 " + IntText(age) + " で計算できない値になりました。パラメータを確認してください。",
        kTitle, MessageIcon::Error);
}

}  // namespace

void PreparePlanRun(PlanningState& workspace) {
    PreparePlanWorkingValues(workspace.Plan, workspace.PlanWorking);
    workspace.Run.CurrentAge = workspace.Plan.StartAge;
}

bool PlanDiagramTypeValid(const PlanningState& workspace, Messages& messages) {
    const double type = workspace.Diagram.Prm[0];
    if (type == 1.0 || type == 2.0) return true;
    messages.Show("林分密度管理図の種類が正しくありません（1または2）。", kTitle,
                  MessageIcon::Error);
    return false;
}

void StartPlan(PlanningState& workspace, int plan) {
    PlanWorkingValues& w = workspace.PlanWorking;
    const PlanSettings& p = workspace.Plan;
    w.PlanThinnings = plan;
    w.CurvePlantingDensity = p.StartPlantingDensity;
    w.ThinningNumber = 1;
    w.NextThinAfterAge = p.ThinStartAge - 1;
    w.StepRatio = std::pow(p.TargetPlantingDensity / p.StartStemNumber, 1.0 / plan);
}

void ComputeRyAfter(PlanningState& workspace, int age) {
    if (const auto ry = YieldIndex(workspace.Diagram, workspace.Years.YearHeight[age],
                                   workspace.Thinning.StemsAfter)) {
        workspace.Thinning.RyAfter = *ry;
    }
}

bool SUBCALC2(PlanningState& workspace, int age, Messages& messages) {
    ThinningBookkeeping& t = workspace.Thinning;
    const YearArrays& y = workspace.Years;
    const DensityDiagramParameters& d = workspace.Diagram;
    const double H = y.YearHeight[age];
    const double N = y.YearStems[age];
    const ThinningBookkeeping saved = t;

    if (t.StemsAfter < kStemFloor) {
        messages.Show("間伐率 " + GeneralNumber(t.StemThinningRate) + "％まで落せません。",
                      PlanTitle("SUBCALC2 間伐", workspace.PlanWorking.PlanThinnings) + "回",
                      MessageIcon::Error);
        t.StemsAfter = N < kStemFloor ? N : kStemFloor;
        t.StemsThinned = N - t.StemsAfter;
        t.StemThinningRate = t.StemsThinned * 100 / N;
    }
    if (!(t.StemsThinned > 0)) {
        // Nothing to remove: no thinning this year, the year's values as
        // they were before the attempt.
        t = saved;
        return false;
    }
    workspace.PlanWorking.ThinnedThisYear = true;
    workspace.PlanWorking.OnFullDensityLine = false;

    const double V = y.YearVolume[age];
    t.VolumeAfter = StandVolume(d, H, t.StemsAfter);
    t.VolumeThinned = V - t.VolumeAfter;
    t.VolumeThinningRate = std::floor(t.VolumeThinned / V * 100 + 0.5);
    t.CumulativeThinnedVolume += t.VolumeThinned;

    t.BasalAreaAfter = BasalArea(d, H, t.StemsAfter);
    t.BasalAreaThinned = t.BasalAreaBefore - t.BasalAreaAfter;

    t.DbhAfter = MeanDbh(d, H, t.StemsAfter);
    t.ThinnedDbh = (y.YearDbh[age] * N - t.DbhAfter * t.StemsAfter) / t.StemsThinned;

    ComputeRyAfter(workspace, age);
    return true;
}

void ReverseThinStep(PlanningState& workspace, int age) {
    ThinningBookkeeping& t = workspace.Thinning;
    YearArrays& y = workspace.Years;
    const DensityDiagramParameters& d = workspace.Diagram;
    const double H = y.YearHeight[age];
    const double N = y.YearStems[age];

    workspace.PlanWorking.ThinnedThisYear = true;
    workspace.PlanWorking.OnFullDensityLine = false;

    t.VolumeAfter = y.YearVolume[age];
    y.YearVolume[age] = StandVolume(d, H, N);
    const double V = y.YearVolume[age];
    t.VolumeThinned = V - t.VolumeAfter;
    t.VolumeThinningRate = std::floor(t.VolumeThinned / V * 100 + 0.5);
    t.CumulativeThinnedVolume += t.VolumeThinned;

    t.BasalAreaAfter = t.BasalAreaBefore;
    t.BasalAreaBefore = BasalArea(d, H, N);
    t.BasalAreaThinned = t.BasalAreaBefore - t.BasalAreaAfter;

    t.DbhAfter = y.YearDbh[age];
    y.YearDbh[age] = MeanDbh(d, H, N);
    t.ThinnedDbh = (y.YearDbh[age] * N - t.DbhAfter * t.StemsAfter) / t.StemsThinned;

    ComputeRyAfter(workspace, age);
}

void TABLECALC2(PlanningState& workspace, Canvas& picture,
                const std::function<void(const std::string&)>& ageLabel, Messages& messages,
                EventPump& pump) {
    PlanRun(workspace, picture, ageLabel, messages, pump).Run();
}

bool RunPlans(PlanningState& workspace, const std::array<Canvas*, kPlanCount>& pictures,
              const PlanRunCallbacks& callbacks, Messages& messages, EventPump& pump) {
    if (!PlanDiagramTypeValid(workspace, messages)) {
        DiscardPlanTable(workspace);
        return false;
    }
    for (int plan = 1; plan <= kPlanCount; ++plan) {
        StartPlan(workspace, plan);
        if (callbacks.planStarting) callbacks.planStarting(plan);
        std::function<void(const std::string&)> label;
        if (callbacks.ageLabel) {
            label = [&callbacks, plan](const std::string& caption) {
                callbacks.ageLabel(plan, caption);
            };
        }
        TABLECALC2(workspace, *pictures[plan - 1], label, messages, pump);
        if (callbacks.planFinished) callbacks.planFinished(plan);
    }
    return true;
}

std::string RunPlanTable(PlanningState& workspace, const std::array<Canvas*, kPlanCount>& pictures,
                         const PlanRunCallbacks& callbacks, Messages& messages, EventPump& pump) {
    PreparePlanRun(workspace);
    if (!PlanDiagramTypeValid(workspace, messages)) return {};
    const std::string path = PlanTableFileName(workspace, messages);
    if (path.empty()) return {};
    OpenPlanTable(workspace, path);
    if (!RunPlans(workspace, pictures, callbacks, messages, pump)) return {};
    std::string written;
    if (!ClosePlanTable(workspace, messages, &written)) return {};
    return written;
}

}  // namespace mk
