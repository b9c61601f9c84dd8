#pragma once
// The year-by-year simulation of one stand: a yield table (mode 0) with the
// thinnings of the run's method, or one site class of a stand volume table
// (mode 1), which follows the dominant-height–stem-number curve unthinned.

#include <functional>
#include <string>

#include "core/yield/table_report.h"
#include "core/yield/yield_state.h"

namespace mk {

class Canvas;
class EventPump;
class Messages;

// Receives the progress text "　林　齢　＝　" + age once per simulated year.
using ProgressText = std::function<void(const std::string&)>;

inline constexpr int kYieldTableMode = 0;
inline constexpr int kVolumeTableMode = 1;

// Minimum stems per ha a thinning may leave.
inline constexpr double kStemFloor = 150;

// Copies the run record into the working values of a run: the curve the
// stand follows, the schedule of methods 1-3, the bounds of methods 4-6.
void PrepareRunSettings(YieldState& ws);

struct TableCalcOutcome {
    bool started = false;     // the run was simulated (not refused, a name was free)
    bool stopped = false;     // a year gave values that cannot be computed
    std::string writtenPath;  // mode 0: the table file written; empty when none
};

// Receives each simulated year once its values are known: the stand before
// the year's thinning (as a table row shows it), whether a thinning was
// made, its bookkeeping, and the total yield so far.
class YearSink {
public:
    virtual ~YearSink() = default;
    virtual void Year(const YearRowValues& row, bool thinned, const ThinningBookkeeping& thinning,
                      double totalYield) = 0;
};

// The years of a run from its first age to its end age, without a table:
// what TABLECALC computes, handed to sink year by year. The working values
// must have been prepared (PrepareRunSettings) and the diagram type checked
// (CheckDiagramType). Returns true when the run stopped at a year that
// cannot be computed.
bool SimulateYears(YieldState& ws, int mode, Canvas& picture, const ProgressText& ageLabel,
                   Messages& messages, EventPump& pump, YearSink& sink);

// Runs the simulation. Mode 0 makes its own output file in the folder of the
// height curve's survey file and saves it when the run ends; mode 1 appends
// one site class to ws.OutputFile, which the caller opened, and leaves it
// open. The stand's path is drawn on picture (its axes already drawn).
TableCalcOutcome TABLECALC(YieldState& ws, int mode, Canvas& picture, const ProgressText& ageLabel,
                           Messages& messages, EventPump& pump);

// The bookkeeping of one thinning at age. kind 1: the amount is the schedule
// entry thinningNumber; kind 2: the caller has set StemsAfter, StemsThinned
// and StemThinningRate. Returns false when the thinning would remove no
// stems: then nothing is thinned and the bookkeeping is as it was before.
bool SUBCALC(YieldState& ws, int kind, int age, int thinningNumber, Messages& messages);

// The message of a diagram whose type is neither 1 nor 2; true when the type
// is usable. title: the routine that refuses the run.
bool CheckDiagramType(const DensityDiagramParameters& diagram, const std::string& title,
                      Messages& messages);

// Saves ws.OutputFile whole (code page 932) and closes it. The file is saved
// under the name it was opened with or, when another program has taken that
// name meanwhile, the next free one of its family. Returns the name written;
// a failed save is reported ("ファイル書き込みエラー") and gives an empty name.
// What was written is kept as ws.LastTable.
std::string CloseTableFile(YieldState& ws, Messages& messages);

// The record of a table file that has been written.
ResultTable FinishedTable(TableFile file, std::string writtenPath);

}  // namespace mk
