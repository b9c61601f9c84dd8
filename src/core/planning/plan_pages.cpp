#include "core/planning/plan_pages.h"

#include <algorithm>
#include <cmath>

#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/planning/plan_settings.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/paths.h"
#include "core/text/text_file.h"
#include "core/yield/run_settings.h"

namespace mk {

namespace {

constexpr const char* kDisabledText = "-----";

int LargeStep(int minimum, int maximum) { return std::max((maximum - minimum) / 10, 1); }

BarRange Range(int minimum, int maximum) { return {minimum, maximum, LargeStep(minimum, maximum)}; }

// A whole part that stays inside the bar's integer range.
int WholePart(double value) {
    if (!(value < 2147483647.0)) return 2147483647;
    if (!(value > -2147483648.0)) return -2147483647 - 1;
    return static_cast<int>(std::trunc(value));
}

PlanStand StandValues(const DensityDiagramParameters& diagram, int age, double height, double stems,
                      double plantingDensity) {
    PlanStand s;
    s.age = age;
    s.height = height;
    s.stems = stems;
    s.plantingDensity = plantingDensity;
    s.volume = StandVolume(diagram, height, stems);
    s.dbh = MeanDbh(diagram, height, stems);
    s.slenderness = height / s.dbh * 100;
    s.ry = YieldIndex(diagram, height, stems);
    return s;
}

std::string Line(const std::string& text) { return text + std::string(kCrLf); }

// The eight lines of a stand in the confirmation of modes B and C.
std::string StandLines(int age, double height, double stems, double dbh, double volume, double ry,
                       double slenderness, double plantingDensity) {
    return Line("　林齢=　　　　" + AlignRight(IntText(age), 4)) +
           Line("　上層樹高=　　" + FormatRight(height, "0.0", 6)) +
           Line("　立木本数=　　" + AlignRight(GeneralNumber(stems), 5)) +
           Line("　平均直径=　　" + FormatRight(dbh, "0.0", 5)) +
           Line("　幹材積=　　　" + FormatRight(volume, "0.0", 5)) +
           Line("　収量比数=　　" + FormatRight(ry, "0.00", 6)) +
           Line("　形状比=　　　" + FormatRight(slenderness, "0.0", 5)) +
           Line("　推定植栽本数=" + AlignRight(GeneralNumber(plantingDensity), 5));
}

// The three lines of a stand in the confirmation of mode A.
std::string ShortStandLines(int age, double height, double stems) {
    return Line("　　　林齢:　　" + AlignRight(IntText(age), 4)) +
           Line("　　　上層樹高:" + FormatRight(height, "0.0", 6)) +
           Line("　　　立木本数:" + AlignRight(GeneralNumber(stems), 5));
}

}  // namespace

std::string PlanFilesText(const RunSettings& run, const CurrentStandState& stand) {
    return "地位：" + SiteClassName(run.SiteClass, stand.SiteText) + "　使用ファイル：" +
           FileNamePart(run.PrmFileName) + "," + FileNamePart(run.ParFileName);
}

PlanStandTexts PlanStandDisplay(const PlanStand& stand) {
    PlanStandTexts t;
    t.dbh = FormatNumber(stand.dbh, "0.0");
    t.volume = FormatNumber(stand.volume, "0.0");
    if (stand.ry) t.ry = FormatNumber(*stand.ry, "0.00");
    t.slenderness = FormatNumber(stand.slenderness, "0.0");
    t.plantingDensity = FormatNumber(stand.plantingDensity, "0.0");
    return t;
}

std::optional<double> PlanStandHeight(const RunSettings& run, const CurrentStandState& stand,
                                      const HeightCurveParameters& curve, int age) {
    if (run.SiteClass == kSiteMeasured) return stand.SiteCalcHeight;
    return SiteHeight(curve, run.SiteCurveScale, age);
}

PlanStand CurrentPlanStand(const DensityDiagramParameters& diagram, int age, double height,
                           double stems, EventPump& pump) {
    // A stand this young has lost next to nothing since it was planted.
    const double planting =
        age < 5 ? stems : PlantingDensityThrough(diagram, 3 * stems, stems, height, pump);
    return StandValues(diagram, age, height, stems, planting);
}

PlanStand TargetPlanStand(const DensityDiagramParameters& diagram, int age, double height,
                          double stems, EventPump& pump) {
    const double planting = PlantingDensityThrough(diagram, 3 * stems, stems, height, pump);
    return StandValues(diagram, age, height, stems, planting);
}

BarRange CurrentStemRange(const DensityDiagramParameters& diagram, double height, int barValue) {
    int maximum = std::min(WholePart(FullDensityStems(diagram, height)), 10000);
    if (barValue > maximum) maximum = barValue + 1;
    // A stand that cannot hold 1000 stems still gets a usable bar.
    const int minimum = std::min(1000, maximum);
    return Range(minimum, maximum);
}

BarRange TargetStemRange(const DensityDiagramParameters& diagram, double height,
                         double startStemNumber) {
    int maximum = WholePart(FullDensityStems(diagram, height));
    // The target always holds fewer stems than the current stand.
    const int belowCurrent = WholePart(startStemNumber) - 1;
    if (belowCurrent < maximum) maximum = belowCurrent;
    const int minimum = std::min(200, maximum);
    return Range(minimum, maximum);
}

BarRange TargetAgeRange(int startAge) { return Range(startAge + 1, 200); }

int ClampToBar(const BarRange& range, int value) {
    return value < range.minimum || value > range.maximum ? range.minimum : value;
}

BarRange ThinStartRange(const PlanSettings& settings) {
    return Range(settings.StartAge < 2 ? 1 : settings.StartAge, 100);
}

BarRange ThinEndRange(int thinStart) { return Range(thinStart, 100); }

PlanPolicyBars DefaultPolicyBars(const PlanSettings& settings) {
    PlanPolicyBars bars;
    const PlanMode mode = PlanModeOf(settings);
    bars.ryStepEnabled = mode != PlanMode::Forward;
    bars.slendernessEnabled = mode != PlanMode::Backward;
    bars.thinStart = ThinStartRange(settings).minimum;
    const BarRange end = ThinEndRange(bars.thinStart);
    bars.thinEnd = std::clamp(settings.EndAge, end.minimum, end.maximum);
    return bars;
}

PlanPolicyTexts PolicyTexts(const PlanPolicyBars& bars) {
    PlanPolicyTexts t;
    t.ryLimit = FormatNumber(bars.ryLimit / 100.0, "0.00");
    t.ryStep = bars.ryStepEnabled ? FormatNumber(bars.ryStep / 100.0, "0.00") : kDisabledText;
    t.slenderness = bars.slendernessEnabled ? IntText(bars.slenderness) : kDisabledText;
    t.thinStart = IntText(bars.thinStart);
    t.thinEnd = IntText(bars.thinEnd);
    t.interval = IntText(bars.interval);
    return t;
}

PlanPolicy ReadPolicy(const PlanPolicyTexts& texts) {
    PlanPolicy p;
    p.interval = ParseWhole(texts.interval).value_or(0);
    p.thinStart = ParseWhole(texts.thinStart).value_or(0);
    p.thinEnd = ParseWhole(texts.thinEnd).value_or(0);
    p.ryLimit = ParseReal(texts.ryLimit).value_or(0);
    p.ryStep = texts.ryStep == kDisabledText ? 0 : ParseReal(texts.ryStep).value_or(0);
    p.slendernessLimit =
        texts.slenderness == kDisabledText ? 0 : ParseWhole(texts.slenderness).value_or(0) / 100.0;
    return p;
}

std::string PolicyWarnings(const PlanPolicy& policy) {
    std::string text;
    if (policy.ryLimit - policy.ryStep < 0.6 || policy.ryLimit > 0.9) {
        text += Line("収量比数は 0.9 ～ 0.6 が望ましい。");
    }
    if (policy.ryStep > 0.15) text += Line("収量比数の変化は 0.15 以下が望ましい。");
    if (policy.slendernessLimit > 0.8) text += Line("気象害（雪害）の恐れはありませんか。");
    if (!text.empty()) text += "このまま続行しますか？";
    return text;
}

void StorePolicy(const PlanPolicy& policy, PlanSettings& settings) {
    settings.ThinStartAge = policy.thinStart;
    settings.ThinFromAge = policy.thinStart - 1;
    settings.ThinToAge = policy.thinEnd + 1;
    settings.IntervalLessOne = policy.interval - 1;
    settings.RyLimit = policy.ryLimit;
    settings.RyStep = policy.ryStep;
    settings.SlendernessLimit = policy.slendernessLimit;
}

std::string PolicyStandLabel(const std::string& title, int age, double height, double stems) {
    return title + "\t" + "林齢:" + AlignRight(IntText(age), 4) +
           " 上層樹高:" + FormatRight(height, "0.0", 6) +
           " 立木本数:" + AlignRight(GeneralNumber(stems), 5);
}

std::string PlanConfirmationText(const RunSettings& run, const CurrentStandState& stand,
                                 const PlanSettings& settings, const PlanStand& current,
                                 const PlanPolicyTexts& policy) {
    const std::string br(kCrLf);
    std::string text = "この設定で宜しいか？" + br + br + PlanFilesText(run, stand) + br + br;
    switch (PlanModeOf(settings)) {
        case PlanMode::Forward:
            text +=
                Line("【現在の林分状態】") +
                ShortStandLines(settings.StartAge, current.height, settings.StartStemNumberShown) +
                Line("【目標とする林型】") +
                ShortStandLines(settings.EndAge, settings.TargetHeight, settings.TargetStemNumber);
            break;
        case PlanMode::Policy:
            text += Line("【現在の林分状態】") +
                    StandLines(settings.StartAge, current.height, settings.StartStemNumberShown,
                               current.dbh, current.volume, current.ry.value_or(0),
                               current.slenderness, settings.StartPlantingDensity) +
                    br + Line("　計算終了林齢=" + IntText(settings.EndAge));
            break;
        case PlanMode::Backward:
            text += Line("【目標とする林型】") +
                    StandLines(settings.EndAge, settings.TargetHeight, settings.TargetStemNumber,
                               settings.TargetDbh, settings.TargetVolume, settings.TargetRy,
                               settings.TargetSlenderness, settings.TargetPlantingDensity);
            break;
        case PlanMode::None:
            break;
    }
    text += br + Line("【間伐方針】") + Line("　収量比数上限=" + AlignRight(policy.ryLimit, 6)) +
            Line("　収量比数変化量=" + AlignRight(policy.ryStep, 6)) +
            Line("　形状比上限=" + AlignRight(policy.slenderness, 6)) +
            Line("　間伐開始林齢=" + AlignRight(policy.thinStart, 4)) +
            Line("　間伐終了林齢=" + AlignRight(policy.thinEnd, 4)) +
            Line("　最低間伐間隔=" + AlignRight(policy.interval, 4));
    return text;
}

}  // namespace mk
