#pragma once
// The stand's path while the wizard's values are still being chosen, and
// the same stand left unthinned. Both run a copy of the state in memory:
// no table file is made, no message box is shown, and nothing the wizard
// or a result window holds is changed.

#include <string>

#include "core/graphics/age_graph.h"
#include "core/graphics/canvas.h"
#include "core/yield/yield_state.h"

namespace mk {

// One run made in memory: the stand of every age and the total yield of
// every age as the table's last column gives it.
struct InMemoryRun {
    YearArrays years;
    double totalYield[kMaxAge + 1]{};
    int firstAge = 0;
    int lastAge = 0;  // the last age reached; below firstAge when none was
    bool stopped = false;
    // The first message the run would have shown (empty when none).
    std::string message;
};

// The run of state's record as it stands; unthinned: the same starting
// stand on its natural-thinning curve with no thinning at all.
InMemoryRun RunInMemory(const YieldState& state, bool unthinned);

// Why the record cannot be run (the words of the wizard's own refusals, or
// the diagram type's message), empty when it can.
std::string PreviewRefusal(const YieldState& state);

struct PreviewOutcome {
    bool pathDrawn = false;
    // One line for the user: the refusal when no path could be drawn, or a
    // message the run gave on its way (a thinning held at 150 stems, a year
    // that could not be computed).
    std::string note;
};

// Draws the density diagram, the thinning bounds of methods 4 to 6 shaded
// over it, and the path of state's run: the same drawing as the result
// window's first picture, under the bounds.
PreviewOutcome DrawStandPreview(const YieldState& state, Canvas& picture);
// The same over a picture that already shows state's diagram: a window
// keeps the diagram, which does not change while values are chosen, and
// draws only what does.
PreviewOutcome DrawStandPreviewOver(const YieldState& state, Canvas& picture);

// The bounds of methods 4 to 6 on the diagram: the Ry target line, the band
// between the upper and lower Ry, or the band between the slenderness
// limits, shaded in pale green with its edges in green. Nothing for other
// methods.
void DrawThinningBounds(Canvas& picture, const DensityDiagramParameters& diagram,
                        const RunSettings& run);

// The path of state's run over a diagram, as the run draws it.
void DrawRunPath(const YieldState& state, Canvas& picture);

// The unthinned stand's path over a diagram in a faint grey line, so that
// it reads as a reference under the run's own path.
void DrawBaselinePath(Canvas& picture, const InMemoryRun& baseline);

// The difference in total yield between the run and the unthinned stand at
// the last age both reached, as the result window says it:
// "60年生の総収穫量は 512.3 m3/ha で、間伐しない場合（498.0 m3/ha）より
// 14.3 m3/ha 多くなります。" Empty when the runs have no common age.
std::string BaselineComparisonText(const InMemoryRun& regime, const InMemoryRun& baseline);

// The grey of the unthinned stand on the graphs.
inline constexpr Color kBaselineColor = kBaselineSeriesColor;
inline constexpr Color kBoundEdgeColor = 0x009600;   // green
inline constexpr Color kBoundShadeColor = 0xD2F0D2;  // pale green

}  // namespace mk
