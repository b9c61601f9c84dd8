// morikoyomi-cli register REGISTER.csv --out RESULT.csv [...]: the yield
// simulation of every compartment of a forest register from its current
// stand, with growing stock, thinnings and carbon at the years asked for.

#include <algorithm>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/command_registry.h"
#include "cli/register_thinning.h"
#include "cli/run_file.h"
#include "core/register/register_csv.h"
#include "core/register/register_run.h"
#include "core/text/file_save.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/text_file.h"
#include "core/yield/run_checks.h"

namespace mk::cli {
namespace {

constexpr const char* kUsage =
    "register REGISTER.csv --out RESULT.csv [--years 0,5,10,20,30] [--summary FILE] "
    "[--planting N] [--run RUNFILE] [--species NAME] [--carbon INI] [--rows FROM:TO] "
    "[--threads N] [--english]";

constexpr const char* kHelp =
    "Runs the yield simulation for every compartment of a forest register (森林簿).\n"
    "REGISTER.csv   one compartment a line: id, area, PRM, PAR, site class or measured\n"
    "               height, age, stems, run file, species (UTF-8 or Shift_JIS, Japanese\n"
    "               or English headers; files relative to the register)\n"
    "--out FILE     one row per compartment and year: stand, thinned volume, carbon,\n"
    "               or the reason the row could not be computed\n"
    "--years LIST   years from now (default 0,5,10,20,30)\n"
    "--summary FILE totals by year, for the register and each parameter set\n"
    "--planting N   planting density of stands without a stem number (default 3000)\n"
    "--run RUNFILE  thinning of the compartments without a run file (default none)\n"
    "--species NAME species of the compartments without one (default: no carbon)\n"
    "--carbon INI   carbon factors to change or add, by species\n"
    "--rows FROM:TO only these data rows; slices put together are the whole output\n"
    "--threads N    workers (default one per core)\n"
    "--english      English column headers\n"
    "Exit status 1 when some rows could not be computed (they are written with their reason).";

struct RegisterArgs {
    std::string registerFile;
    std::string out;
    std::string summary;
    std::string runFile;
    std::string species;
    std::string carbonIni;
    std::vector<int> years{0, 5, 10, 20, 30};
    double planting = 3000;
    long long firstRow = 1;
    long long lastRow = LLONG_MAX;
    int threads = 0;  // 0: one per core
    bool english = false;
};

bool ParseWholeLong(std::string_view text, long long& value) {
    if (text.empty() || text.size() > 18) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "0,5,10": whole years from now, 0..200, in any order; kept ascending.
bool ParseYears(const std::string& text, std::vector<int>& years) {
    years.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::optional<int> year = ParseWhole(text.substr(start, comma - start));
        if (!year || *year < 0 || *year > kMaxAge) return false;
        years.push_back(*year);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::sort(years.begin(), years.end());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    return true;
}

// "FROM:TO", "FROM:" or ":TO", data rows counted from 1.
bool ParseRows(const std::string& text, long long& first, long long& last) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    const std::string from = text.substr(0, colon);
    const std::string to = text.substr(colon + 1);
    first = 1;
    last = LLONG_MAX;
    if (!from.empty() && !ParseWholeLong(from, first)) return false;
    if (!to.empty() && !ParseWholeLong(to, last)) return false;
    return first >= 1 && last >= first;
}

bool ParseArgs(const std::vector<std::string>& args, RegisterArgs& a, std::string& error) {
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--english") {
            a.english = true;
            continue;
        }
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            if (std::find(seen.begin(), seen.end(), arg) != seen.end()) {
                return error = arg + " が二度あります", false;
            }
            seen.push_back(arg);
            if (i + 1 >= args.size()) return error = arg + " の値がありません", false;
            const std::string& value = args[++i];
            if (arg == "--out") {
                a.out = value;
            } else if (arg == "--summary") {
                a.summary = value;
            } else if (arg == "--run") {
                a.runFile = value;
            } else if (arg == "--species") {
                a.species = value;
            } else if (arg == "--carbon") {
                a.carbonIni = value;
            } else if (arg == "--years") {
                if (!ParseYears(value, a.years)) {
                    return error = "--years は 0 から 200 までの整数をカンマで区切ります", false;
                }
            } else if (arg == "--planting") {
                const std::optional<double> n = ParseReal(value);
                // The range of the planting bar of the starting stand page.
                if (!n || !(*n >= 1000) || !(*n <= 10000)) {
                    return error = "--planting は 1000 から 10000 までの本数です", false;
                }
                a.planting = *n;
            } else if (arg == "--rows") {
                if (!ParseRows(value, a.firstRow, a.lastRow)) {
                    return error = "--rows は FROM:TO（1 から数えた行、FROM <= TO）です", false;
                }
            } else if (arg == "--threads") {
                const std::optional<int> n = ParseWhole(value);
                if (!n || *n < 1 || *n > 256) return error = "--threads は 1 から 256 です", false;
                a.threads = *n;
            } else {
                return error = "知らないオプションです: " + arg, false;
            }
        } else if (a.registerFile.empty()) {
            a.registerFile = arg;
        } else {
            return error = "森林簿は一つだけ指定します: " + arg, false;
        }
    }
    if (a.registerFile.empty()) return error = "森林簿の CSV ファイルがありません", false;
    if (a.out.empty()) return error = "--out がありません", false;
    return true;
}

bool LoadCarbon(const std::string& path, CarbonTable& table, std::string& error) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return error = "ファイルを開けません: " + path, false;
    const EncodingGuess guess = DetectRegisterEncoding(bytes);
    const std::optional<std::string> text =
        DecodeRegisterLine(std::string_view(bytes).substr(guess.bomLength), guess.encoding);
    if (!text) return error = path + ": 文字コードが読めません", false;
    if (!table.ApplyIni(*text, error)) return error = path + ": " + error, false;
    return true;
}

int RunRegisterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RegisterArgs a;
    std::string error;
    if (!ParseArgs(args, a, error)) {
        err << "morikoyomi-cli register: " << error << "\n";
        err << "usage: morikoyomi-cli " << kUsage << "\n";
        return 2;
    }
    RegisterOptions options;
    options.simulation.years = a.years;
    options.simulation.plantingDensity = a.planting;
    options.firstRow = a.firstRow;
    options.lastRow = a.lastRow;
    options.threads = a.threads > 0
                          ? a.threads
                          : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    options.englishHeader = a.english;
    if (!a.carbonIni.empty() && !LoadCarbon(a.carbonIni, options.carbon, error)) {
        err << "morikoyomi-cli register: " << error << "\n";
        return 2;
    }
    if (!a.species.empty()) {
        if (!options.carbon.Find(a.species)) {
            err << "morikoyomi-cli register: 樹種 " << a.species << " の炭素係数がありません\n";
            return 2;
        }
        options.defaultSpecies = a.species;
    }
    if (!a.runFile.empty()) {
        RunSettings thinning;
        if (!LoadRegisterThinning(a.runFile, thinning, error)) {
            err << error << "\n";
            return 2;
        }
        options.defaultRunFile = a.runFile;
    }

    AtomicFileWriter writer;
    if (!writer.Open(a.out)) {
        err << "[ファイル書き込みエラー] ファイルに書き込めません。\n" << a.out << "\n";
        return 1;
    }
    const RegisterOutcome outcome =
        RunRegister(a.registerFile, options, LoadRegisterThinning,
                    [&writer](std::string_view bytes) { return writer.Write(bytes); });
    for (const std::string& notice : outcome.notices) err << notice << "\n";
    if (outcome.refused) {
        err << "morikoyomi-cli register: " << outcome.error << "\n";
        // A register that stopped reading half way is not a command-line
        // fault; a missing file or an unusable header is.
        return outcome.rows > 0 ? 1 : 2;
    }
    if (outcome.writeFailed || !writer.Commit()) {
        err << "[ファイル書き込みエラー] ファイルに書き込めません。\n" << a.out << "\n";
        return 1;
    }
    out << a.out << "\n";
    if (!a.summary.empty()) {
        if (!WriteFileAtomically(a.summary, RegisterSummaryCsv(outcome.summary, a.english))) {
            err << "[ファイル書き込みエラー] ファイルに書き込めません。\n" << a.summary << "\n";
            return 1;
        }
        out << a.summary << "\n";
    }
    for (const std::string& notice : outcome.thinningNotices) err << notice << "\n";
    if (outcome.noticeRows > 0) {
        err << IntText(outcome.noticeRows)
            << " 区画で間伐の注意がありました（計算は続けています）。\n";
    }
    for (const std::string& failure : outcome.failures) err << failure << "\n";
    if (outcome.failedRows > 0) {
        err << IntText(outcome.rows) << " 区画のうち " << IntText(outcome.failedRows)
            << " 区画を計算できませんでした。\n";
        return 1;
    }
    err << IntText(outcome.rows) << " 区画を計算しました。\n";
    return 0;
}

const CommandRegistrar kRegistrar("register", kUsage, RunRegisterCommand, kHelp);

}  // namespace

// The rest of the run file (files, site, stand) belongs to the register row.
bool LoadRegisterThinning(const std::string& path, RunSettings& thinning, std::string& error) {
    RunFileError e;
    const std::optional<RunFile> file = ReadRunFile(path, e);
    RunSettings run;
    CurrentStandState stand;
    std::string hnp;
    if (!file || !ReadRunSettings(*file, run, stand, hnp, e)) {
        error = e.Text();
        return false;
    }
    if (!file->Has("RunSettings", "ThinningMethod")) {
        error = MissingKey(*file, "RunSettings", "ThinningMethod").Text();
        return false;
    }
    if (run.ThinningMethod < 1 || run.ThinningMethod > 6) {
        error = ErrorAt(*file, "RunSettings", "ThinningMethod", "1 から 6 までです").Text();
        return false;
    }
    if (!CheckRange(*file, "RunSettings", "BoundThinningRate", run.BoundThinningRate, 0, 1, e)) {
        error = e.Text();
        return false;
    }
    // A schedule must go forward as the wizard's page has it; how far it
    // reaches is each compartment's own affair, so the end age is not held
    // against it.
    RunSettings open = run;
    open.EndAge = kMaxAge;
    if (const std::string refusal = ScheduleRefusal(open); !refusal.empty()) {
        error = ErrorAt(*file, "RunSettings", "ThinningKey", refusal).Text();
        return false;
    }
    thinning = run;
    return true;
}

}  // namespace mk::cli
