// morikoyomi-cli stand PRMFILE HEIGHT STEMS: the stand values of one
// (H, N) on a density diagram, for checking a PRM file by hand.

#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli/command_registry.h"
#include "core/model/density_diagram.h"
#include "core/model/prm_file.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"

namespace mk::cli {
namespace {

constexpr const char* kUsage = "stand PRMFILE HEIGHT STEMS";
constexpr const char* kHelp =
    "Prints the values of one stand on a density control diagram.\n"
    "V, HF, G, Dq, D, NRf, Ry, x and y, one \"name value\" per line; nothing is written.\n"
    "HEIGHT         dominant height in m\n"
    "STEMS          stems per ha";

std::string ValueText(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    return GeneralNumber(value);
}

void PrintValue(std::ostream& out, const char* name, double value) {
    out << name << ' ' << ValueText(value) << '\n';
}

int RunStand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) {
        err << "usage: morikoyomi-cli " << kUsage << "\n";
        return 2;
    }
    const std::optional<double> height = ParseReal(args[1]);
    const std::optional<double> stems = ParseReal(args[2]);
    if (!height || !stems) {
        err << "morikoyomi-cli stand: " << (!height ? "HEIGHT" : "STEMS")
            << " is not a number: " << (!height ? args[1] : args[2]) << "\n";
        return 2;
    }
    CliMessages messages(err);
    DensityDiagramParameters diagram;
    if (!ReadPrmFile(args[0], diagram, messages)) return 1;

    const double H = *height;
    const double N = *stems;
    const double V = StandVolume(diagram, H, N);
    PrintValue(out, "V", V);
    PrintValue(out, "HF", FormHeight(diagram, H, N));
    PrintValue(out, "G", BasalArea(diagram, H, N));
    PrintValue(out, "Dq", QuadraticMeanDbh(diagram, H, N));
    PrintValue(out, "D", MeanDbh(diagram, H, N));
    PrintValue(out, "NRf", FullDensityStems(diagram, H));
    if (const std::optional<double> ry = YieldIndex(diagram, H, N)) PrintValue(out, "Ry", *ry);
    PrintValue(out, "x", DiagramX(N));
    PrintValue(out, "y", DiagramY(V));
    return 0;
}

const CommandRegistrar kRegistrar("stand", kUsage, RunStand, kHelp);

}  // namespace
}  // namespace mk::cli
