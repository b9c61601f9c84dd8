#pragma once
// What a register run writes: the rows of each compartment, and the totals
// by year for the whole register and for each parameter set.

#include <string>
#include <vector>

#include "core/register/compartment.h"

namespace mk {

struct YearTotals {
    long long compartments = 0;
    double area = 0;               // ha
    double volume = 0;             // m3
    double thinned = 0;            // m3 in the period
    double cumulativeThinned = 0;  // m3
    long long carbonCompartments = 0;
    double carbon = 0;  // t-C
    double co2 = 0;     // t-CO2
};

struct ParameterSetTotals {
    std::string name;
    std::vector<YearTotals> years;
};

struct RegisterSummary {
    std::vector<int> years;
    std::vector<YearTotals> total;
    std::vector<ParameterSetTotals> byParameterSet;  // in order of first appearance
    long long failedCompartments = 0;
};

// The output's header line (CR LF ended), Japanese or English.
std::string RegisterOutputHeader(bool english);

// One CSV row per year of a compartment: its values, or its error.
void AppendCompartmentRows(std::string& out, const CompartmentInput& c,
                           const std::vector<CompartmentYear>& years);

// Adds a computed year of a compartment to the totals.
void AddToTotals(YearTotals& totals, const CompartmentInput& c, const CompartmentYear& year);

// Totals by year for the whole register, then for each parameter set, as
// a CSV file (UTF-8 with a byte-order mark, CR LF).
std::string RegisterSummaryCsv(const RegisterSummary& summary, bool english);

}  // namespace mk
