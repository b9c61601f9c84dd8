#pragma once
// The stand volume table: the unthinned stand of each site class 上, 中, 下
// following the dominant-height–stem-number curve, one after another in one
// .80 file next to the height curve's survey file.

#include <string>

#include "core/yield/table_calc.h"

namespace mk {

// Makes the free output name and opens ws.OutputFile for it; false when the
// family of names is exhausted (the name maker has said so).
bool OpenVolumeTableFile(YieldState& ws, Messages& messages);

// Runs site class siteClass (1..3) into the open file: its curve scale, the
// result series and the heading all follow the class.
TableCalcOutcome RunVolumeTableSiteClass(YieldState& ws, int siteClass, Canvas& picture,
                                         const ProgressText& ageLabel, Messages& messages,
                                         EventPump& pump);

struct StandVolumeOutcome {
    std::string writtenPath;  // empty when nothing was written
};

// The whole run: refuses a diagram of an unknown type before any file is
// made, opens the file, prepares the run, computes the three classes on
// pictures[0..2] with their progress texts, saves the file and leaves
// VolumeTableSiteClass at 1.
StandVolumeOutcome RunStandVolumeTable(YieldState& ws, Canvas* const pictures[3],
                                       const ProgressText labels[3], Messages& messages,
                                       EventPump& pump);

}  // namespace mk
