#include "core/basedata/data_check.h"

#include <cmath>

#include "core/host/messages.h"
#include "core/text/file_errors.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"
#include "core/text/text_file.h"

namespace mk {
namespace {

constexpr int kMaxDegree = 3;
constexpr int kMatrixSize = kMaxDegree + 1;
using Matrix = std::array<std::array<double, kMatrixSize>, kMatrixSize>;
using Vector = std::array<double, kMatrixSize>;

bool ValidIndex(int index) { return index >= 0 && index < kCheckVariableCount; }

// Inverts the leading size x size block of a in place by Gauss-Jordan
// elimination on the diagonal, without exchanging rows. False when a pivot
// is zero or the result is not finite.
bool InvertInPlace(Matrix& a, int size) {
    for (int k = 0; k < size; ++k) {
        const double pivot = a[k][k];
        if (pivot == 0.0 || !std::isfinite(pivot)) return false;
        a[k][k] = 1.0;
        for (int j = 0; j < size; ++j) a[k][j] = a[k][j] / pivot;
        for (int i = 0; i < size; ++i) {
            if (i == k) continue;
            const double factor = a[i][k];
            a[i][k] = 0.0;
            for (int j = 0; j < size; ++j) a[i][j] = a[i][j] - factor * a[k][j];
        }
    }
    for (int i = 0; i < size; ++i)
        for (int j = 0; j < size; ++j)
            if (!std::isfinite(a[i][j])) return false;
    return true;
}

struct DegreeFit {
    CheckFit fit;
    std::vector<double> fitted;  // per record; only usable records are set
    double aic = 0.0;
};

bool FitDegree(const CheckState& s, const Matrix& A, const Vector& B, int n, int d,
               DegreeFit& out) {
    if (n <= d + 1) return false;  // too few records for the degree and its bounds
    Matrix inverse = A;
    const int size = d + 1;
    if (!InvertInPlace(inverse, size)) return false;

    out.fit = CheckFit{};
    out.fit.degree = d;
    out.fit.n = n;
    for (int k = 0; k < size; ++k) {
        double c = 0.0;
        for (int j = 0; j < size; ++j) c = c + inverse[k][j] * B[j];
        if (!std::isfinite(c)) return false;
        out.fit.coefficients[k] = c;
    }

    out.fitted.assign(s.X.size(), 0.0);
    double sse = 0.0;
    double sl = 0.0;
    for (size_t i = 0; i < s.X.size(); ++i) {
        if (s.mark[i] < 0) continue;
        const double yhat = PolynomialValue(out.fit, s.X[i]);
        if (yhat == 0.0 || !std::isfinite(yhat)) return false;  // no ratio to a zero curve
        out.fitted[i] = yhat;
        const double e = s.Y[i] - yhat;
        sse = sse + e * e;
        const double l = std::log(std::fabs(s.Y[i] / yhat));
        sl = sl + l * l;
    }
    if (!std::isfinite(sse) || !std::isfinite(sl)) return false;
    out.fit.SSE = sse;
    out.fit.SL = sl;
    // A curve through every point leaves no residual: its AIC is minus
    // infinity, the best there can be, and a tie keeps the lower degree.
    out.aic = static_cast<double>(n) * std::log(sse / static_cast<double>(n)) +
              static_cast<double>(2 * (d + 2));
    return !std::isnan(out.aic);
}

std::string FlagLine(int number, int mark) {
    return AlignRight(IntText(number), 4) + "番の資料  " + (mark >= 2 ? "要検討" : "注  意");
}

std::string DegreeLine(int degreeChoice, int d) {
    if (degreeChoice == 4) return "１～３次式から " + IntText(d) + " 次式を採用しました。";
    return IntText(d) + "次式を用いました。";
}

}  // namespace

std::string CheckVariableName(int index) {
    static const char* const kNames[kCheckVariableCount] = {
        "林齢", "上層樹高", "立木本数", "幹材積", "断面積", "平均直径", "平均樹高"};
    return ValidIndex(index) ? kNames[index] : "";
}

std::string CheckReportName(int code) {
    static const char* const kNames[kCheckVariableCount] = {
        " 林  齢 ", "上層樹高", "立木本数", "幹 材 積", "断 面 積", "平均直径", "平均樹高"};
    return code >= 1 && code <= kCheckVariableCount ? kNames[code - 1] : " e r r o r ";
}

double CheckVariableValue(const SurveyRecord& r, int index) {
    switch (index) {
        case 0:
            return r.standAge;
        case 1:
            return r.dominantHeight;
        case 2:
            return r.stemsPerHa;
        case 3:
            return r.stemVolume;
        case 4:
            return r.basalArea;
        case 5:
            return r.meanDiameter;
        case 6:
            return r.meanHeight;
        default:
            return 0.0;
    }
}

std::string CheckPairDescription(int xIndex, int yIndex) {
    if (xIndex == yIndex) return "グラフを表示できません。";
    return CheckVariableName(xIndex) + "－" + CheckVariableName(yIndex) + " についての吟味";
}

double PolynomialValue(const CheckFit& fit, double x) {
    double y = 0.0;
    for (int k = 0; k <= fit.degree; ++k)
        y = y + fit.coefficients[k] * std::pow(x, static_cast<double>(k));
    return y;
}

void ResetCheckState(CheckState& state) {
    const int choice = state.degreeChoice;
    state = CheckState{};
    state.degreeChoice = choice;
}

Examination ExaminePair(const SurveyDataSet& set, CheckState& s) {
    Examination result;
    s.fitted = false;
    s.fit = CheckFit{};
    if (s.xIndex == s.yIndex || !ValidIndex(s.xIndex) || !ValidIndex(s.yIndex)) {
        s.mark.clear();
        s.X.clear();
        s.Y.clear();
        result.outcome = ExaminationOutcome::SameVariable;
        return result;
    }

    const int count =
        set.count > 0 ? std::min<int>(set.count, static_cast<int>(set.records.size())) : 0;
    s.X.assign(static_cast<size_t>(count), 0.0);
    s.Y.assign(static_cast<size_t>(count), 0.0);
    s.mark.assign(static_cast<size_t>(count), 0);
    s.Xmin = 1e38;
    s.Xmax = 0.0;
    s.Ymin = 1e38;
    s.Ymax = 0.0;
    Matrix A{};
    Vector B{};
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const double x = CheckVariableValue(set.records[static_cast<size_t>(i)], s.xIndex);
        const double y = CheckVariableValue(set.records[static_cast<size_t>(i)], s.yIndex);
        s.X[i] = x;
        s.Y[i] = y;
        if (x * y == 0.0) {
            s.mark[i] = -1;
            continue;
        }
        if (x < s.Xmin) s.Xmin = x;
        if (x > s.Xmax) s.Xmax = x;
        if (y < s.Ymin) s.Ymin = y;
        if (y > s.Ymax) s.Ymax = y;
        ++n;
        for (int j = 0; j < kMatrixSize; ++j) {
            for (int k = 0; k < kMatrixSize; ++k)
                A[j][k] = A[j][k] + std::pow(x, static_cast<double>(j + k));
            B[j] = B[j] + y * std::pow(x, static_cast<double>(j));
        }
    }
    s.sx = 400.0 / (s.Xmax - s.Xmin);
    s.sy = 400.0 / (s.Ymax - s.Ymin);

    result.outcome = ExaminationOutcome::CannotFit;
    if (n == 0 || !std::isfinite(s.sx) || !std::isfinite(s.sy)) return result;

    const int dLo = s.degreeChoice >= 1 && s.degreeChoice <= 3 ? s.degreeChoice : 1;
    const int dHi = s.degreeChoice >= 1 && s.degreeChoice <= 3 ? s.degreeChoice : 3;
    DegreeFit best;
    double bestAic = 1e38;
    bool haveBest = false;
    for (int d = dLo; d <= dHi; ++d) {
        DegreeFit candidate;
        if (!FitDegree(s, A, B, n, d, candidate)) return result;
        if (candidate.aic < bestAic) {  // strictly smaller: ties keep the lower degree
            bestAic = candidate.aic;
            best = std::move(candidate);
            haveBest = true;
        }
    }
    if (!haveBest) return result;

    CheckFit& fit = best.fit;
    const int d = fit.degree;
    const double dof = static_cast<double>(n - d - 1);
    const double sd = std::sqrt(fit.SSE / dof);
    fit.residualBound = 2.58 * sd;
    fit.ratioFactor = std::exp(std::sqrt(6.635 * fit.SL / dof));
    if (!std::isfinite(fit.residualBound) || !std::isfinite(fit.ratioFactor)) return result;

    for (int i = 0; i < count; ++i) {
        if (s.mark[i] < 0) continue;
        const double yhat = best.fitted[i];
        const double e = s.Y[i] - yhat;
        if (e > 2.58 * sd || e < -2.58 * sd) s.mark[i] += 1;
        if (s.Y[i] > yhat * fit.ratioFactor || s.Y[i] < yhat / fit.ratioFactor) s.mark[i] += 1;
    }

    s.fit = fit;
    s.fitted = true;
    result.outcome = ExaminationOutcome::Fitted;
    result.label3 = IntText(d) + " 次式を採用しました。";
    for (int i = 0; i < count; ++i)
        if (s.mark[i] > 0)
            result.listLines.push_back(
                FlagLine(set.records[static_cast<size_t>(i)].number, s.mark[i]));

    bool& written = s.pairWritten[s.xIndex][s.yIndex];
    if (!written) {
        result.reportLines.push_back(CheckReportName(s.xIndex + 1) + "－" +
                                     CheckReportName(s.yIndex + 1) + " についての吟味");
        result.reportLines.push_back(DegreeLine(s.degreeChoice, d));
        result.reportLines.insert(result.reportLines.end(), result.listLines.begin(),
                                  result.listLines.end());
        written = true;
    }
    return result;
}

bool CheckReport::Create(const std::string& path, const std::string& datPath, Messages& messages) {
    Close();
    lines_.push_back("ファイル名 " + FileNamePart(datPath) + "に関するデータ吟味結果");
    std::string text;
    for (const auto& line : lines_) text += line + std::string(kCrLf);
    // The name is taken with the first save; later saves replace our own file.
    path_ = SaveUnderFreeName(path, text, messages);
    open_ = !path_.empty();
    if (!open_) Close();
    return open_;
}

bool CheckReport::Append(const std::vector<std::string>& lines, Messages& messages) {
    if (!open_) return false;
    if (lines.empty()) return true;
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    return Save(messages);
}

void CheckReport::Close() {
    open_ = false;
    path_.clear();
    lines_.clear();
}

bool CheckReport::Save(Messages& messages) {
    if (WriteTextLines(path_, lines_) == TextFileError::None) return true;
    ReportWriteFailure(messages, path_);
    Close();
    return false;
}

Examination RunExamination(const SurveyDataSet& set, CheckState& state, Canvas* canvas,
                           CheckReport* report, Messages& messages, const std::string& caption) {
    Examination result = ExaminePair(set, state);
    if (canvas) DrawCheckGraph(*canvas, state, result.outcome);
    if (result.outcome == ExaminationOutcome::CannotFit)
        messages.Show(std::string(kCannotFitText), caption, MessageIcon::Error, MessageButtons::Ok);
    if (report && report->isOpen()) report->Append(result.reportLines, messages);
    return result;
}

}  // namespace mk
