// morikoyomi-cli fit DATFILE --curve site|hnp [--function 1|2|3|auto]
//                [--init P1,P2,P3[,P4]]
// Fits the site-class dominant-height curve (PAR) or the dominant-height–
// stem-number curve (HNP) to a survey file, as the curve window does, and
// saves it next to the survey file.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli/command_registry.h"
#include "cli/run_command_args.h"
#include "core/basedata/curve_fitting.h"
#include "core/basedata/data_check.h"
#include "core/basedata/parameter_files.h"
#include "core/basedata/survey_data.h"
#include "core/text/number_parse.h"
#include "core/text/paths.h"

namespace mk::cli {
namespace {

constexpr const char* kUsage =
    "fit DATFILE --curve site|hnp [--function 1|2|3|auto] [--init P1,P2,P3[,P4]]";
constexpr const char* kHelp =
    "Fits a growth curve to a survey file (基礎資料) and writes YIELD_xx.PAR or .HNP.\n"
    "The file goes next to the DAT file: PAR for the site-class dominant-height curve,\n"
    "HNP for the dominant-height–stem-number curve.\n"
    "--curve site|hnp       which curve\n"
    "--function 1|2|3|auto  site curve: 1 Mitscherlich, 2 logistic, 3 Gompertz; auto (the\n"
    "                       default) fits all three and keeps the smallest residual sum\n"
    "--init P1,P2,P3[,P4]   starting values of the search (three for site, four for hnp);\n"
    "                       without it they are estimated from the data";

struct FitOptions {
    std::string datPath;
    CurveMode mode = CurveMode::SiteCurve;
    int function = 0;  // 0: automatic selection (site) or the one function (hnp)
    std::optional<CurveParameters> init;
    int initCount = 0;
};

int Usage(std::ostream& err, const std::string& problem) {
    err << "morikoyomi-cli fit: " << problem << "\n";
    err << "usage: morikoyomi-cli " << kUsage << "\n";
    return 2;
}

bool ParseInit(const std::string& text, FitOptions& options) {
    CurveParameters para{};
    int count = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string piece =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::optional<double> value = ParseReal(piece);
        if (!value || count >= 4) return false;
        para[count++] = *value;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    options.init = para;
    options.initCount = count;
    return true;
}

// Splits "--name=value" and "--name value" alike.
bool NextOption(const std::vector<std::string>& args, size_t& i, std::string& name,
                std::string& value) {
    const std::string& arg = args[i];
    const size_t eq = arg.find('=');
    if (eq != std::string::npos) {
        name = arg.substr(0, eq);
        value = arg.substr(eq + 1);
        return true;
    }
    name = arg;
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

int ParseOptions(const std::vector<std::string>& args, FitOptions& options, std::ostream& err) {
    bool haveCurve = false;
    std::string function;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) != 0) {
            if (!options.datPath.empty()) return Usage(err, "more than one DATFILE: " + args[i]);
            options.datPath = args[i];
            continue;
        }
        std::string name, value;
        if (!NextOption(args, i, name, value)) return Usage(err, args[i] + " needs a value");
        if (name == "--curve") {
            if (value == "site")
                options.mode = CurveMode::SiteCurve;
            else if (value == "hnp")
                options.mode = CurveMode::HeightStemCurve;
            else
                return Usage(err, "--curve must be site or hnp: " + value);
            haveCurve = true;
        } else if (name == "--function") {
            function = value;
        } else if (name == "--init") {
            if (!ParseInit(value, options))
                return Usage(err, "--init is not a list of numbers: " + value);
        } else {
            return Usage(err, "unknown option " + name);
        }
    }
    if (options.datPath.empty()) return Usage(err, "DATFILE is missing");
    if (HoldsLineBreak(FolderPart(options.datPath)))
        return Usage(err, std::string("DATFILE: ") + kLineBreakFolderText);
    if (!haveCurve) return Usage(err, "--curve is missing");
    if (!function.empty() && function != "auto") {
        if (function != "1" && function != "2" && function != "3")
            return Usage(err, "--function must be 1, 2, 3 or auto: " + function);
        options.function = function[0] - '0';
    }
    // The stem curve has one function; a choice of function means nothing there.
    if (options.mode == CurveMode::HeightStemCurve) options.function = 0;
    const int m = ParameterCount(options.mode);
    if (options.init) {
        if (options.initCount != m)
            return Usage(err, "--init needs " + std::to_string(m) + " values for this curve");
        if (!CheckManualInitialValues(options.mode, *options.init))
            return Usage(err, "the product of the --init values must not be zero");
    }
    return 0;
}

int RunFit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    FitOptions options;
    if (int status = ParseOptions(args, options, err)) return status;

    CliMessages messages(err);
    SurveyDataSet set;
    if (!ReadSurveyFile(options.datPath, set, messages)) return 1;
    const FitData data = BuildFitData(options.mode, set);
    if (data.n == 0) {
        messages.Show(FileNamePart(options.datPath) + std::string(kNoUsableDataText),
                      std::string(kNoUsableDataTitle), MessageIcon::Error, MessageButtons::Ok);
        return 1;
    }
    const std::string caption = options.datPath + " －" + CurveWindowBaseCaption(options.mode);
    auto cannotFit = [&]() {
        messages.Show(std::string(kCannotFitText), caption, MessageIcon::Error, MessageButtons::Ok);
        return 1;
    };

    NullEventPump pump;
    FitControl control;
    control.pump = &pump;
    FitResult result;
    bool chosen = false;
    if (options.mode == CurveMode::SiteCurve && options.function == 0) {
        SelectionResult selection =
            SelectBestFunction(data, options.init ? &*options.init : nullptr, control);
        if (selection.status != FitStatus::Converged) return cannotFit();
        result = selection.best;
        chosen = true;
    } else {
        const int code = options.mode == CurveMode::SiteCurve ? options.function : kMitscherlich;
        CurveParameters start{};
        if (options.init)
            start = *options.init;
        else if (!EstimateInitialValues(options.mode, code, data, start))
            return cannotFit();
        result = FitCurve(options.mode, code, data, start, control);
        if (result.status != FitStatus::Converged) return cannotFit();
    }

    const std::string path =
        WriteCurveParameterFile(options.mode, options.datPath, result, chosen, messages);
    if (path.empty()) return 1;
    out << path << "\n";
    return 0;
}

const CommandRegistrar kRegistrar("fit", kUsage, RunFit, kHelp);

}  // namespace
}  // namespace mk::cli
