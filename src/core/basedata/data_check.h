#pragma once
// The survey data check: a polynomial of degree 1 to 3 fitted to one pair of
// survey quantities, and the records whose residual or ratio to the curve
// lies outside fixed bounds.

#include <array>
#include <string>
#include <vector>

#include "core/basedata/survey_data.h"

namespace mk {

class Canvas;
class Messages;

inline constexpr int kCheckVariableCount = 7;
inline constexpr std::string_view kCheckCaption = "調査値データチェック処理";
inline constexpr std::string_view kCannotFitText = "このデータではあてはめできません。";

// Index 0..6: 林齢, 上層樹高, 立木本数, 幹材積, 断面積, 平均直径, 平均樹高.
std::string CheckVariableName(int index);
// By code 1..7 (index + 1): the name written in the report and on the
// graph; " e r r o r " for any other code.
std::string CheckReportName(int code);
double CheckVariableValue(const SurveyRecord& record, int index);

// The pair heading: X name + "－" + Y name + " についての吟味", or
// "グラフを表示できません。" when X and Y are the same.
std::string CheckPairDescription(int xIndex, int yIndex);

struct CheckFit {
    int degree = 0;
    std::array<double, 4> coefficients{};  // c_0..c_degree
    int n = 0;                             // usable records
    double SSE = 0.0;
    double SL = 0.0;
    double residualBound = 0.0;  // 2.58 s
    double ratioFactor = 1.0;    // F
};

// The value of the fitted polynomial at x.
double PolynomialValue(const CheckFit& fit, double x);

struct CheckState {
    int xIndex = 0;
    int yIndex = 1;
    int degreeChoice = 4;  // 1..3 that degree, 4 the best of 1 to 3
    std::array<std::array<bool, kCheckVariableCount>, kCheckVariableCount> pairWritten{};
    // Per record (index i - 1): -1 unusable for the pair, 0 usable, 1 or 2
    // the number of tests failed.
    std::vector<int> mark;
    std::vector<double> X, Y;
    double Xmin = 1e38, Xmax = 0.0, Ymin = 1e38, Ymax = 0.0;
    double sx = 0.0, sy = 0.0;
    bool fitted = false;
    CheckFit fit;
};

// Back to the state of a freshly opened file: 林齢 against 上層樹高 and no
// pair written; the degree choice is kept.
void ResetCheckState(CheckState& state);

enum class ExaminationOutcome { SameVariable, CannotFit, Fitted };

struct Examination {
    ExaminationOutcome outcome = ExaminationOutcome::SameVariable;
    std::string label3;                  // "2 次式を採用しました。" or empty
    std::vector<std::string> listLines;  // the flagged records
    // Lines for the report: the pair line, the degree line and the flagged
    // records, only at the first fitted examination of the pair.
    std::vector<std::string> reportLines;
};

// Examines the current pair of the state over the set and marks the pair
// written when it was fitted. Computation only: nothing is drawn, shown or
// written.
Examination ExaminePair(const SurveyDataSet& set, CheckState& state);

// The check graph of the last examination.
void DrawCheckGraph(Canvas& canvas, const CheckState& state, ExaminationOutcome outcome);

// The check report: created with its first line when a file is opened,
// extended by each first examination of a pair, always saved whole.
class CheckReport {
public:
    // Creates the report for the survey file datPath at path (a name from
    // MakeSaveName) or, when another program has taken that name meanwhile,
    // at the next free one of its family; path() tells which. A file that
    // cannot be written is reported and the report stays closed.
    bool Create(const std::string& path, const std::string& datPath, Messages& messages);
    // Appends lines and saves; a failure is reported and closes the report.
    bool Append(const std::vector<std::string>& lines, Messages& messages);
    void Close();
    bool isOpen() const { return open_; }
    const std::string& path() const { return path_; }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    bool Save(Messages& messages);
    bool open_ = false;
    std::string path_;
    std::vector<std::string> lines_;
};

// One examination as the check window runs it: computes, draws when a
// canvas is given, appends to the report when one is open, and shows
// "このデータではあてはめできません。" titled with the caption when the
// data cannot be fitted.
Examination RunExamination(const SurveyDataSet& set, CheckState& state, Canvas* canvas,
                           CheckReport* report, Messages& messages, const std::string& caption);

}  // namespace mk
