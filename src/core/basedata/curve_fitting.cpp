#include "core/basedata/curve_fitting.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/host/messages.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

constexpr int kMaxParameters = 4;
constexpr int kMaxExpansionPoints = 1000;

bool IsSite(CurveMode mode) { return mode == CurveMode::SiteCurve; }

double ConvergenceThreshold(CurveMode mode) { return IsSite(mode) ? 0.1 : 10000.0; }

struct Point {
    CurveParameters para{};
    double ss = 0.0;
};

// The search itself: the vertices, the work points and the host's hooks.
class Simplex {
public:
    Simplex(CurveMode mode, int code, const FitData& data, FitControl& control)
        : mode_(mode), code_(code), data_(data), control_(control), m_(ParameterCount(mode)) {}

    FitStatus Run(const CurveParameters& start, Point& best);
    long long evaluations() const { return evaluations_; }

private:
    // False when the residual sum is not a number: the data cannot be fitted.
    bool Evaluate(Point& p);
    // One checkpoint: the host processes its events, then the stop flag is read.
    bool StopRequested();
    Point Affine(double a, const Point& c, const Point& w) const;
    bool Order(bool& stopped);

    CurveMode mode_;
    int code_;
    const FitData& data_;
    FitControl& control_;
    int m_;
    Point v_[kMaxParameters + 1];
    long long evaluations_ = 0;
};

bool Simplex::Evaluate(Point& p) {
    ++evaluations_;
    if (control_.onEvaluate) control_.onEvaluate(p.para);
    double ss = 0.0;
    for (int i = 0; i < data_.n; ++i) {
        const double e = data_.Y[i] - CurveValue(mode_, code_, p.para, data_.X[i]);
        ss = ss + e * e;
    }
    p.ss = ss;
    return !std::isnan(ss);
}

bool Simplex::StopRequested() {
    if (control_.pump) control_.pump->Pump();
    return control_.stopRequested;
}

Point Simplex::Affine(double a, const Point& c, const Point& w) const {
    Point p;
    for (int j = 0; j < m_; ++j) p.para[j] = a * c.para[j] + (1.0 - a) * w.para[j];
    return p;
}

// True when the two simplices hold the same points, bit for bit and in the
// same order. The search is a pure function of its simplex, so meeting one
// again means it would go round the same steps for ever.
bool SameSimplex(const Point* a, const Point* b, int vertexCount, int m) {
    for (int i = 0; i < vertexCount; ++i) {
        if (std::memcmp(&a[i].ss, &b[i].ss, sizeof(double)) != 0) return false;
        if (std::memcmp(a[i].para.data(), b[i].para.data(), sizeof(double) * m) != 0) return false;
    }
    return true;
}

// Exchange sort, worst first; a checkpoint before every comparison.
bool Simplex::Order(bool& stopped) {
    for (int i = 0; i < m_; ++i) {
        for (int k = i + 1; k <= m_; ++k) {
            if (StopRequested()) {
                stopped = true;
                return false;
            }
            if (v_[i].ss < v_[k].ss) std::swap(v_[i], v_[k]);
        }
    }
    return true;
}

FitStatus Simplex::Run(const CurveParameters& start, Point& best) {
    for (int i = 0; i <= m_; ++i) v_[i].para = start;
    for (int j = 0; j < m_; ++j) v_[j].para[j] = v_[j].para[j] * (j % 2 == 0 ? 1.1 : 0.9);
    for (int i = 0; i <= m_; ++i)
        if (!Evaluate(v_[i])) return FitStatus::CannotFit;

    const double threshold = ConvergenceThreshold(mode_);
    const double m = static_cast<double>(m_);
    // Vertices a few units in the last place apart can give residual sums far
    // enough apart never to converge, and then the search keeps returning to
    // the same simplex. The window's stop button would end it, the batch tool
    // has none: Brent's cycle detection, with one saved simplex, ends it as
    // data that cannot be fitted. A search that converges never repeats a
    // simplex, so its steps are untouched.
    Point saved[kMaxParameters + 1];
    bool haveSaved = false;
    long long power = 1, sinceSaved = 0;
    for (;;) {
        bool stopped = false;
        if (StopRequested() || !Order(stopped)) return FitStatus::Stopped;
        // Not even the best vertex has a finite residual sum: nothing to follow.
        if (!std::isfinite(v_[m_].ss)) return FitStatus::CannotFit;

        double others = 0.0;
        for (int i = 1; i <= m_; ++i) others = others + v_[i].ss;
        const double spread = (m * v_[0].ss - others) / m;
        if (v_[m_].ss < threshold || spread < threshold) break;

        if (haveSaved && SameSimplex(saved, v_, m_ + 1, m_)) return FitStatus::CannotFit;
        if (!haveSaved || ++sinceSaved == power) {
            std::copy(v_, v_ + m_ + 1, saved);
            if (haveSaved) power *= 2;
            haveSaved = true;
            sinceSaved = 0;
        }

        Point centroid;
        for (int j = 0; j < m_; ++j) {
            double sum = 0.0;
            for (int i = 1; i <= m_; ++i) sum = sum + v_[i].para[j];
            centroid.para[j] = sum / m;
        }

        Point reflected = Affine(2.0, centroid, v_[0]);
        if (!Evaluate(reflected)) return FitStatus::CannotFit;

        if (reflected.ss < v_[m_].ss) {
            Point previous = reflected;
            double a = 3.0;
            for (int count = 1;; ++count) {
                Point expanded = Affine(a, centroid, v_[0]);
                if (!Evaluate(expanded)) return FitStatus::CannotFit;
                if (expanded.ss > previous.ss) break;
                previous = expanded;
                // A surface that stays flat along the direction would never end.
                if (count == kMaxExpansionPoints) break;
                a = a + 1.0;
            }
            v_[0] = previous;
            continue;
        }
        if (reflected.ss < v_[1].ss) {
            v_[0] = reflected;
            continue;
        }
        if (reflected.ss < v_[0].ss) v_[0] = reflected;
        Point contracted = Affine(1.5, centroid, v_[0]);
        if (!Evaluate(contracted)) return FitStatus::CannotFit;
        if (contracted.ss < v_[1].ss) {
            v_[0] = contracted;
            continue;
        }
        contracted = Affine(0.5, centroid, v_[0]);
        if (!Evaluate(contracted)) return FitStatus::CannotFit;
        if (contracted.ss < v_[1].ss) {
            v_[0] = contracted;
            continue;
        }
        for (int i = 0; i < m_; ++i) {
            v_[i] = Affine(0.5, v_[i], v_[m_]);
            if (!Evaluate(v_[i])) return FitStatus::CannotFit;
        }
    }
    best = v_[m_];
    return FitStatus::Converged;
}

// The three-point estimate of K, b and c for v = K (1 - b e^(-c u)) shapes.
struct Estimate {
    double K = 0.0, b = 0.0, c = 0.0;
};

bool MeanOfSplit(const std::vector<double>& w, double mean, double& lo, double& hi) {
    double sumLo = 0.0, sumHi = 0.0;
    int nLo = 0, nHi = 0;
    for (double value : w) {
        if (value <= mean) {
            sumLo = sumLo + value;
            ++nLo;
        } else {
            sumHi = sumHi + value;
            ++nHi;
        }
    }
    if (nLo == 0 || nHi == 0) return false;  // every value equal
    lo = sumLo / nLo;
    hi = sumHi / nHi;
    return true;
}

double Mean(const std::vector<double>& w) {
    double sum = 0.0;
    for (double value : w) sum = sum + value;
    return sum / static_cast<double>(w.size());
}

bool EstimateCurve(const std::vector<double>& u, const std::vector<double>& v, bool estimateK,
                   double K0, Estimate& out) {
    if (u.empty() || u.size() != v.size()) return false;
    double vmax = 0.0;
    for (double value : v)
        if (value > vmax) vmax = value;
    const double uBar = Mean(u);
    const double vBar = Mean(v);
    double uLo = 0, uHi = 0, vLo = 0, vHi = 0;
    if (!MeanOfSplit(u, uBar, uLo, uHi) || !MeanOfSplit(v, vBar, vLo, vHi)) return false;

    double K = 0.0;
    if (estimateK) {
        const double denominator = vLo + vHi - 2.0 * vBar;
        if (denominator == 0.0) return false;
        K = (vLo * vHi - vBar * vBar) / denominator;
        if (K < 0.0) K = vmax;
    } else {
        if (!(K0 > 0.0)) return false;
        K = std::log(K0);
    }
    if (K == 0.0 || !std::isfinite(K)) return false;
    const double ratio = (1.0 - vHi / K) / (1.0 - vLo / K);
    if (!(ratio > 0.0) || !std::isfinite(ratio)) return false;
    const double c = std::log(ratio) / (uLo - uHi);
    const double b = std::fabs(1.0 - vBar / K) / std::exp(-c * uBar);
    if (!std::isfinite(c) || !std::isfinite(b)) return false;
    out = {K, b, c};
    return true;
}

bool AllFinite(const CurveParameters& para, int m) {
    for (int j = 0; j < m; ++j)
        if (!std::isfinite(para[j])) return false;
    return true;
}

}  // namespace

int ParameterCount(CurveMode mode) { return IsSite(mode) ? 3 : 4; }

std::string FunctionName(CurveMode mode, int code) {
    if (!IsSite(mode)) return "ＧOMPERTZ式変形";
    switch (code) {
        case kMitscherlich:
            return "ＭITSCHERLICH式";
        case kLogistic:
            return "logistic式";
        case kGompertz:
            return "ＧOMPERTZ式";
        default:
            return "";
    }
}

std::string FunctionFileName(CurveMode mode, int code) {
    if (!IsSite(mode)) return "ＧOMPERTZ式変形  ";
    switch (code) {
        case kMitscherlich:
            return "ＭITSCHERLICH式  ";
        case kLogistic:
            return "logistic式       ";
        case kGompertz:
            return "ＧOMPERTZ式      ";
        default:
            return "";
    }
}

std::string FunctionFormula(CurveMode mode, int code) {
    if (!IsSite(mode)) return "Y=PARA(4)-PARA(1)*EXP(-PARA(2)*EXP(-PARA(3)*X))";
    switch (code) {
        case kMitscherlich:
            return "Y=PARA(1)*(1-PARA(2)*EXP(-PARA(3)*X))   ";
        case kLogistic:
            return "Y=PARA(1)/(1+PARA(2)*EXP(-PARA(3)*X))   ";
        case kGompertz:
            return "Y=PARA(1)*EXP(-PARA(2)*EXP(-PARA(3)*X)) ";
        default:
            return "";
    }
}

std::string CurveWindowBaseCaption(CurveMode mode) {
    return IsSite(mode) ? "地位別上層樹高曲線式の決定" : "上層樹高－本数曲線式の決定";
}

FitData BuildFitData(CurveMode mode, const SurveyDataSet& set) {
    FitData data;
    const int count = std::min<int>(set.count, static_cast<int>(set.records.size()));
    for (int i = 0; i < count; ++i) {
        const SurveyRecord& r = set.records[static_cast<size_t>(i)];
        double x = 0.0, y = 0.0;
        if (IsSite(mode)) {
            if (static_cast<double>(r.standAge) * r.dominantHeight == 0.0) continue;
            x = r.standAge;
            y = r.dominantHeight;
        } else {
            if (static_cast<double>(r.stemsPerHa) * r.dominantHeight == 0.0) continue;
            x = r.dominantHeight;
            y = r.stemsPerHa;
        }
        data.X.push_back(x);
        data.Y.push_back(y);
        if (x < data.Xmin) data.Xmin = x;
        if (x > data.Xmax) data.Xmax = x;
        if (!IsSite(mode)) {
            if (y < data.Ymin) data.Ymin = y;
            if (y > data.Ymax) data.Ymax = y;
        }
    }
    data.n = static_cast<int>(data.X.size());
    return data;
}

bool EstimateInitialValues(CurveMode mode, int code, const FitData& data, CurveParameters& para) {
    if (data.n <= 0) return false;
    CurveParameters result = para;
    std::vector<double> v(static_cast<size_t>(data.n));
    Estimate e;
    if (!IsSite(mode)) {
        result[3] = data.Ymax + 10.0;
        result[0] = result[3] - (data.Ymin - 10.0);
        for (int i = 0; i < data.n; ++i) {
            const double rest = result[3] - data.Y[i];
            if (!(rest > 0.0)) return false;
            v[i] = std::log(rest);
        }
        if (!EstimateCurve(data.X, v, false, result[0], e)) return false;
        result[0] = e.K;
        result[1] = e.b;
        result[2] = e.c;
        result[1] = result[0] * result[1];
        result[0] = std::exp(result[0]);
    } else {
        for (int i = 0; i < data.n; ++i) {
            const double y = data.Y[i];
            switch (code) {
                case kMitscherlich:
                    v[i] = y;
                    break;
                case kLogistic:
                    v[i] = 1.0 / y;
                    break;
                case kGompertz:
                    if (!(y > 0.0)) return false;
                    v[i] = std::log(y);
                    break;
                default:
                    return false;
            }
        }
        if (!EstimateCurve(data.X, v, true, 0.0, e)) return false;
        result[0] = e.K;
        result[1] = e.b;
        result[2] = e.c;
        if (code == kLogistic) {
            result[0] = 1.0 / result[0];
        } else if (code == kGompertz) {
            result[1] = result[0] * result[1];
            result[0] = std::exp(result[0]);
        }
    }
    if (!AllFinite(result, ParameterCount(mode))) return false;
    para = result;
    return true;
}

bool CheckManualInitialValues(CurveMode mode, const CurveParameters& para) {
    double product = para[0] * para[1] * para[2];
    if (!IsSite(mode)) product = product * para[3];
    return product != 0.0;
}

double CurveValue(CurveMode mode, int code, const CurveParameters& p, double x) {
    if (!IsSite(mode)) return p[3] - p[0] * std::exp(-p[1] * std::exp(-p[2] * x));
    switch (code) {
        case kMitscherlich:
            return p[0] * (1.0 - p[1] * std::exp(-p[2] * x));
        case kLogistic:
            return p[0] / (1.0 + p[1] * std::exp(-p[2] * x));
        case kGompertz:
            return p[0] * std::exp(-p[1] * std::exp(-p[2] * x));
        default:
            return 0.0;
    }
}

bool BandCoefficient(CurveMode mode, int code, const FitData& data, const CurveParameters& para,
                     double& band) {
    const int m = ParameterCount(mode);
    if (data.n <= m) return false;
    double sum = 0.0;
    for (int i = 0; i < data.n; ++i) {
        const double ratio = data.Y[i] / CurveValue(mode, code, para, data.X[i]);
        if (!(ratio > 0.0) || !std::isfinite(ratio)) return false;
        const double l = std::log(ratio);
        sum = sum + l * l;
    }
    band = std::sqrt(1.323 * sum / static_cast<double>(data.n - m));
    return std::isfinite(band);
}

FitResult FitCurve(CurveMode mode, int code, const FitData& data, const CurveParameters& start,
                   FitControl& control) {
    FitResult result;
    result.code = code;
    result.para = start;
    // No more pairs than parameters: any curve passes through them, and the
    // band coefficient has nothing to divide by.
    if (data.n <= ParameterCount(mode) ||
        (IsSite(mode) && (code < kMitscherlich || code > kGompertz)))
        return result;

    Simplex simplex(mode, code, data, control);
    Point best;
    result.status = simplex.Run(start, best);
    result.evaluations = simplex.evaluations();
    if (result.status == FitStatus::Stopped) {
        if (control.beep) control.beep();
        return result;
    }
    if (result.status != FitStatus::Converged) return result;
    if (!std::isfinite(best.ss) || !AllFinite(best.para, ParameterCount(mode))) {
        result.status = FitStatus::CannotFit;
        return result;
    }
    result.para = best.para;
    result.bestSS = best.ss;
    if (control.onEvaluate) control.onEvaluate(result.para);
    if (IsSite(mode) && !BandCoefficient(mode, code, data, result.para, result.bandCoefficient)) {
        result.status = FitStatus::CannotFit;
        return result;
    }
    if (control.onFinished) control.onFinished(result.bestSS);
    return result;
}

void KeepBetterFit(SelectionState& selection, const FitResult& result) {
    if (!selection.haveBest || selection.best.bestSS > result.bestSS) {
        selection.best = result;
        selection.haveBest = true;
    }
}

SelectionResult SelectBestFunction(const FitData& data, const CurveParameters* manualStart,
                                   FitControl& control,
                                   const std::function<void(const FitResult&)>& onFitted) {
    SelectionResult outcome;
    SelectionState selection;
    for (int code = kMitscherlich; code <= kGompertz; ++code) {
        selection.selectionStep = code;
        CurveParameters start{};
        if (manualStart) {
            start = *manualStart;
        } else if (!EstimateInitialValues(CurveMode::SiteCurve, code, data, start)) {
            outcome.failedCode = code;
            return outcome;
        }
        FitResult result = FitCurve(CurveMode::SiteCurve, code, data, start, control);
        if (result.status != FitStatus::Converged) {
            outcome.status = result.status;
            outcome.failedCode = code;
            return outcome;
        }
        if (onFitted) onFitted(result);
        KeepBetterFit(selection, result);
    }
    outcome.status = FitStatus::Converged;
    outcome.best = selection.best;
    return outcome;
}

std::string ImplausibleFitReason(CurveMode mode, const FitData& data, const FitResult& fit) {
    if (data.n < 2) return {};
    const double first = CurveValue(mode, fit.code, fit.para, data.Xmin);
    const double last = CurveValue(mode, fit.code, fit.para, data.Xmax);
    const bool site = mode == CurveMode::SiteCurve;
    // A change of less than a thousandth of the curve's size over the whole
    // range is a flat line, whatever its sign.
    const double change = site ? last - first : first - last;
    const double size = std::max(std::fabs(first), std::fabs(last));
    if (!std::isfinite(change) || !(change > size * 1e-3)) {
        return site ? "林齢とともに上層樹高が高くならない曲線です。"
                    : "上層樹高とともに立木本数が少なくならない曲線です。";
    }
    double mean = 0;
    for (int i = 0; i < data.n; ++i) mean += data.Y[static_cast<size_t>(i)];
    mean /= data.n;
    double aroundMean = 0;
    for (int i = 0; i < data.n; ++i) {
        const double d = data.Y[static_cast<size_t>(i)] - mean;
        aroundMean += d * d;
    }
    if (fit.bestSS >= aroundMean) {
        return "残差平方和がデータの平均値との差の平方和（" +
               FormatNumber(aroundMean, "0.000000E+00") + "）より小さくなっていません。";
    }
    return {};
}

}  // namespace mk
