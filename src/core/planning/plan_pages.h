#pragma once
// What the pages of the planning wizard compute and show: the stand of the
// current-stand and target pages, the ranges of their bars, the texts of
// the policy page and its confirmation. The windows fill the records from
// these and compute nothing themselves.

#include <optional>
#include <string>

namespace mk {

class EventPump;
struct CurrentStandState;
struct DensityDiagramParameters;
struct HeightCurveParameters;
struct PlanSettings;
struct RunSettings;

// "地位：" + site class name + "　使用ファイル：" + PRM name + "," + PAR name.
std::string PlanFilesText(const RunSettings& run, const CurrentStandState& stand);

// A stand as the current-stand and target pages show it.
struct PlanStand {
    int age = 0;
    double height = 0;           // m
    double stems = 0;            // stems per ha
    double plantingDensity = 0;  // 推定植栽本数
    double volume = 0;           // m3 per ha
    double dbh = 0;              // cm
    std::optional<double> ry;    // empty for a diagram type other than 1 or 2
    double slenderness = 0;      // H / D x 100
};

// The texts of the boxes 平均直径, 幹材積, 収量比数, 形状比 and 推定植栽本数.
struct PlanStandTexts {
    std::string dbh;              // "0.0"
    std::string volume;           // "0.0"
    std::string ry;               // "0.00"; empty without a yield index
    std::string slenderness;      // "0.0"
    std::string plantingDensity;  // "0.0"
};
PlanStandTexts PlanStandDisplay(const PlanStand& stand);

// Dominant height of the current-stand page at an age: the measured
// height for a site class found from a measured stand, else the site curve.
std::optional<double> PlanStandHeight(const RunSettings& run, const CurrentStandState& stand,
                                      const HeightCurveParameters& curve, int age);

// The current stand: its planting density is the stem number itself under
// age 5, else the density through the stand with the bracket 3 x N.
PlanStand CurrentPlanStand(const DensityDiagramParameters& diagram, int age, double height,
                           double stems, EventPump& pump);
// The target stand: always the density through the stand.
PlanStand TargetPlanStand(const DensityDiagramParameters& diagram, int age, double height,
                          double stems, EventPump& pump);

// A scroll bar's range.
struct BarRange {
    int minimum = 0;
    int maximum = 0;
    int largeStep = 1;
};

// Stem-number bar of the current-stand page: up to the whole part of the
// full-density stem number (at most 10000, and above the bar's value), from
// 1000 or from the maximum when the stand cannot hold 1000 stems.
BarRange CurrentStemRange(const DensityDiagramParameters& diagram, double height, int barValue);
// Stem-number bar of the target page: from 200 up to the full-density stem
// number, below the current stand's stem number.
BarRange TargetStemRange(const DensityDiagramParameters& diagram, double height,
                         double startStemNumber);
// Age bar of the target and end-age pages: StartAge + 1 to 200.
BarRange TargetAgeRange(int startAge);
// The bar's value for an age outside its range: its minimum.
int ClampToBar(const BarRange& range, int value);

// The policy page's six bars as numbers: 収量比数上限 and 収量比数変化量 in
// hundredths, 形状比上限 as entered, the three ages and intervals.
struct PlanPolicyBars {
    int ryLimit = 80;
    int ryStep = 10;
    int slenderness = 80;
    int thinStart = 1;
    int thinEnd = 100;
    int interval = 5;
    bool ryStepEnabled = true;       // not in mode A
    bool slendernessEnabled = true;  // not in mode C
};
// The bars as the page opens for these settings.
PlanPolicyBars DefaultPolicyBars(const PlanSettings& settings);
// Ranges of the 間伐開始林齢 and 間伐終了林齢 bars.
BarRange ThinStartRange(const PlanSettings& settings);
BarRange ThinEndRange(int thinStart);

// The texts of the six boxes (Text1 … Text6).
struct PlanPolicyTexts {
    std::string ryLimit;      // "0.80"
    std::string ryStep;       // "0.10" or "-----"
    std::string slenderness;  // "80" or "-----"
    std::string thinStart;
    std::string thinEnd;
    std::string interval;
};
PlanPolicyTexts PolicyTexts(const PlanPolicyBars& bars);

// The policy as the page reads it from its boxes.
struct PlanPolicy {
    double ryLimit = 0;
    double ryStep = 0;
    double slendernessLimit = 0;  // H/D
    int thinStart = 0;
    int thinEnd = 0;
    int interval = 0;
};
PlanPolicy ReadPolicy(const PlanPolicyTexts& texts);

// The advisory warnings followed by "このまま続行しますか？", or empty
// when there is nothing to warn about.
std::string PolicyWarnings(const PlanPolicy& policy);

// Stores the policy: ThinStartAge, ThinFromAge, ThinToAge,
// IntervalLessOne, RyLimit, RyStep, SlendernessLimit.
void StorePolicy(const PlanPolicy& policy, PlanSettings& settings);

// The two labels of the policy page in mode A: "現在の林分状態" or
// "目標とする林型", a TAB, then age, height and stems.
std::string PolicyStandLabel(const std::string& title, int age, double height, double stems);

// The text of the confirmation box ("パラメータ設定確認"). current is the
// stand of the current-stand page (modes A and B).
std::string PlanConfirmationText(const RunSettings& run, const CurrentStandState& stand,
                                 const PlanSettings& settings, const PlanStand& current,
                                 const PlanPolicyTexts& policy);

}  // namespace mk
