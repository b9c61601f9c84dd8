#pragma once
// One compartment (区画) of a forest register: its row read into the values
// a yield run from the current stand needs, and that run's stand at the
// years asked for.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/density_diagram.h"
#include "core/model/height_curve.h"
#include "core/register/carbon.h"
#include "core/yield/run_settings.h"

namespace mk {

struct YieldState;

// A PRM and a PAR file, read once for every compartment that names them.
struct ParameterSet {
    std::string name;  // "PRM + PAR" as the register names them
    int index = 0;     // order of first appearance
    DensityDiagramParameters diagram;
    HeightCurveParameters curve;
};

struct CompartmentInput {
    std::string id;
    double area = 0;  // ha
    const ParameterSet* parameters = nullptr;
    const RunSettings* thinning = nullptr;  // nullptr: no thinning
    int siteClass = 0;                      // 1..3, or 0 with a measured height
    double measuredHeight = 0;              // m; used when siteClass is 0
    int age = 0;                            // current age
    int stems = 0;                          // stems/ha; 0: on the natural-thinning curve
    const CarbonFactors* carbon = nullptr;  // nullptr: no species, no carbon
    std::string error;                      // not empty: the row cannot be computed
};

struct CompartmentYear {
    int year = 0;  // years from now
    int age = 0;
    double height = 0;
    double dbh = 0;
    double stems = 0;
    double volume = 0;             // m3/ha
    double thinned = 0;            // m3/ha thinned since the year before in the list
    double cumulativeThinned = 0;  // m3/ha thinned from now up to this age
    double carbon = 0;             // t-C/ha
    bool hasCarbon = false;
    std::string error;  // not empty: this year could not be computed
};

struct SimulationOptions {
    std::vector<int> years;         // ascending, from 0
    double plantingDensity = 3000;  // for stands without a stem number
};

// Runs the yield simulation of the compartment from its current stand with
// ws as working space, and returns one entry per year of options.years. A
// row that cannot be computed gives the same error for every year. notice,
// when given, receives the first notice the run showed ("[TITLE] TEXT": a
// thinning that could not reach its bound), which does not fail the row.
std::vector<CompartmentYear> SimulateCompartment(YieldState& ws, const CompartmentInput& input,
                                                 const SimulationOptions& options,
                                                 std::string* notice = nullptr);

// The site class text of a row: 上/中/下 or 1-3 (any width); 0 otherwise.
int ParseSiteClass(const std::string& text);

}  // namespace mk
