#pragma once
// Growth-curve fitting: the site-class dominant-height curve over stand age
// and the dominant-height–stem-number curve, fitted by a simplex search on
// the residual sum of squares.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/basedata/survey_data.h"

namespace mk {

class EventPump;

enum class CurveMode { SiteCurve = 2, HeightStemCurve = 3 };

// Function codes of the site curve; the stem curve has its one function.
inline constexpr int kMitscherlich = 1;
inline constexpr int kLogistic = 2;
inline constexpr int kGompertz = 3;

// PARA(1..4) as para[0..3].
using CurveParameters = std::array<double, 4>;

// Parameters of the mode: 3 for the site curve, 4 for the stem curve.
int ParameterCount(CurveMode mode);

// "ＭITSCHERLICH式", "logistic式", "ＧOMPERTZ式"; in the stem mode
// "ＧOMPERTZ式変形" whatever the code.
std::string FunctionName(CurveMode mode, int code);
// The name as files carry it, padded with blanks.
std::string FunctionFileName(CurveMode mode, int code);
// "Y=PARA(1)*(1-PARA(2)*EXP(-PARA(3)*X))   " and the others.
std::string FunctionFormula(CurveMode mode, int code);
// "地位別上層樹高曲線式の決定" or "上層樹高－本数曲線式の決定".
std::string CurveWindowBaseCaption(CurveMode mode);

inline constexpr std::string_view kNoUsableDataText = " に有効なデータがありません。";
inline constexpr std::string_view kNoUsableDataTitle = "DATファイル読み込み中止";

struct FitData {
    int n = 0;
    std::vector<double> X, Y;
    // Running extremes: the minima start at 9999, the maxima at 0; Ymin and
    // Ymax are gathered in the stem mode only.
    double Xmin = 9999, Xmax = 0, Ymin = 9999, Ymax = 0;
};

// The pairs of the mode: (standAge, dominantHeight) or (dominantHeight,
// stemsPerHa), from every record whose two values are both non-zero.
FitData BuildFitData(CurveMode mode, const SurveyDataSet& set);

// Automatic starting values into para. False when the data give none (all
// values equal, a logarithm of a non-positive number and the like).
bool EstimateInitialValues(CurveMode mode, int code, const FitData& data, CurveParameters& para);

// Typed starting values can start a search only when their product is not
// zero.
bool CheckManualInitialValues(CurveMode mode, const CurveParameters& para);

double CurveValue(CurveMode mode, int code, const CurveParameters& para, double x);

// What the host lends a running search: its event pump, polled with the stop
// flag at every checkpoint (the host raises stopRequested from inside Pump),
// and hooks for the live display and the beep of a stop.
struct FitControl {
    EventPump* pump = nullptr;
    bool stopRequested = false;
    std::function<void(const CurveParameters&)> onEvaluate;
    std::function<void(double bestSS)> onFinished;
    std::function<void()> beep;
};

enum class FitStatus { Converged, Stopped, CannotFit };

struct FitResult {
    FitStatus status = FitStatus::CannotFit;
    int code = 0;
    CurveParameters para{};
    double bestSS = 0.0;
    double bandCoefficient = 0.0;  // site curve only
    long long evaluations = 0;
};

// The simplex search from start, then in the site mode the band coefficient.
FitResult FitCurve(CurveMode mode, int code, const FitData& data, const CurveParameters& start,
                   FitControl& control);

// Why a converged fit does not make a usable curve, or empty when it does:
// a site curve must rise over the ages of the data (a height–stem curve
// must fall over the heights), and any curve must follow the data better
// than their mean does. The search may settle on such a curve from poor
// starting values; its parameters are still the best it found.
std::string ImplausibleFitReason(CurveMode mode, const FitData& data, const FitResult& fit);

// sqrt(1.323 * sum (ln(Y / f(X)))^2 / (n - m)); false when it cannot be
// computed (n <= m, a ratio that is not positive).
bool BandCoefficient(CurveMode mode, int code, const FitData& data, const CurveParameters& para,
                     double& band);

// The automatic choice among the three site functions, kept step by step
// so that a window can pause between them.
struct SelectionState {
    int selectionStep = 1;  // the function the selection is at
    bool haveBest = false;
    FitResult best;
};

// Keeps result as the best when it is the first or strictly better.
void KeepBetterFit(SelectionState& selection, const FitResult& result);

struct SelectionResult {
    FitStatus status = FitStatus::CannotFit;
    FitResult best;
    int failedCode = 0;  // the function that could not be fitted or was stopped
};

// Fits the three site functions in order, each from the automatic starting
// values or, when manualStart is given, from those values; onFitted sees
// each completed fit. A stop or a function that cannot be fitted ends the
// whole selection.
SelectionResult SelectBestFunction(const FitData& data, const CurveParameters* manualStart,
                                   FitControl& control,
                                   const std::function<void(const FitResult&)>& onFitted = {});

}  // namespace mk
