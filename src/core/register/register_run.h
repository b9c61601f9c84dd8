#pragma once
// A whole forest register through the yield simulation: rows are read in
// order, computed by a worker per core (each with its own working space),
// and written in the order they were read, as a stream, so that memory
// stays the same however long the register is.

#include <climits>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/register/carbon.h"
#include "core/register/compartment.h"
#include "core/register/register_output.h"
#include "core/register/register_rows.h"

namespace mk {

struct RegisterOptions {
    SimulationOptions simulation;
    std::string defaultRunFile;  // for rows without one; empty: no thinning
    std::string defaultSpecies;  // for rows without one; empty: no carbon
    CarbonTable carbon = CarbonTable::Defaults();
    // The data rows to compute, counted from 1 after the header, both ends
    // included. The header line (and the byte-order mark) is written only
    // by a slice that starts at the first row, so that the outputs of
    // consecutive slices put together are the output of the whole.
    long long firstRow = 1;
    long long lastRow = LLONG_MAX;
    int threads = 1;
    bool englishHeader = false;
};

// Receives the output bytes in order; false stops the run.
using OutputSink = std::function<bool(std::string_view)>;

struct RegisterOutcome {
    bool refused = false;      // the register or its header cannot be used: nothing computed
    bool writeFailed = false;  // the output sink refused bytes
    std::string error;         // why, for refused
    long long rows = 0;        // compartments computed (or tried) in the slice
    long long failedRows = 0;  // compartments with an error in any year
    // "LINE行目 (区画 ID): REASON" of the first failed rows.
    std::vector<std::string> failures;
    std::vector<std::string> notices;  // warnings of the parameter files read
    // Compartments computed with a notice of their thinning (a bound that
    // could not be reached), and "LINE行目 (区画 ID): [TITLE] TEXT" of the
    // first of them.
    long long noticeRows = 0;
    std::vector<std::string> thinningNotices;
    RegisterSummary summary;
};

RegisterOutcome RunRegister(const std::string& registerPath, const RegisterOptions& options,
                            const ThinningLoader& loadThinning, const OutputSink& output);

}  // namespace mk
