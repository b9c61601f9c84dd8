#pragma once
// The rows of a forest register read into compartments: the values of each
// record checked and converted, and the PRM, PAR and run files they name,
// each read once however many rows name it.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/register/carbon.h"
#include "core/register/compartment.h"
#include "core/register/register_columns.h"

namespace mk {

// Reads the thinning of a run file (its method and schedule or bounds) for
// the compartments that name it. False, with the reason, when it cannot.
using ThinningLoader =
    std::function<bool(const std::string& path, RunSettings& thinning, std::string& error)>;

// The largest area (ha) a row may give.
inline constexpr double kMaxCompartmentArea = 1000000;

// What a row that leaves a cell empty takes instead.
struct RowDefaults {
    std::string runFile;  // empty: no thinning
    std::string species;  // empty: no carbon
    const CarbonTable* carbon = nullptr;
};

// The files a register names, relative to its folder unless absolute. What
// it hands out stays valid as long as it lives.
class RegisterFiles {
public:
    // folder ends in "/" or is empty. The notices of files that read with a
    // warning are added to notices.
    RegisterFiles(std::string folder, ThinningLoader loader, std::vector<std::string>& notices);
    ~RegisterFiles();

    std::string Resolve(const std::string& path) const;

    // The parameter set of a PRM and a PAR file; nullptr, with the reader's
    // message in error, when either does not read.
    const ParameterSet* Parameters(const std::string& prm, const std::string& par,
                                   std::string& error);
    // The thinning of a run file (a path already resolved).
    const RunSettings* Thinning(const std::string& path, std::string& error);

    // The names of the parameter sets, by their index.
    std::vector<std::string> SetNames() const;

private:
    template <typename T>
    struct Loaded {
        T record{};
        std::string error;
    };
    template <typename T, typename Reader>
    const Loaded<T>& Load(std::map<std::string, std::unique_ptr<Loaded<T>>>& cache,
                          const std::string& name, Reader read);

    std::string folder_;
    ThinningLoader loader_;
    std::vector<std::string>& notices_;
    std::map<std::string, std::unique_ptr<Loaded<DensityDiagramParameters>>> prms_;
    std::map<std::string, std::unique_ptr<Loaded<HeightCurveParameters>>> pars_;
    std::map<std::pair<std::string, std::string>, std::unique_ptr<ParameterSet>> sets_;
    std::map<std::string, std::unique_ptr<Loaded<RunSettings>>> runs_;
};

// One record into a compartment; a value that does not read becomes the
// compartment's error, naming the value.
class RegisterRowReader {
public:
    RegisterRowReader(const RegisterHeader& header, const RowDefaults& defaults,
                      RegisterFiles& files)
        : header_(header), defaults_(defaults), files_(files) {}

    CompartmentInput Read(const std::vector<std::string>& fields);

private:
    std::string_view Field(const std::vector<std::string>& fields, RegisterColumn column) const;
    std::string Number(const std::vector<std::string>& fields, RegisterColumn column) const;
    std::string Fill(const std::vector<std::string>& fields, CompartmentInput& c);

    const RegisterHeader& header_;
    const RowDefaults& defaults_;
    RegisterFiles& files_;
};

// A message's text on one line: its line breaks become blanks.
std::string OneLine(std::string text);

// The text without blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

}  // namespace mk
