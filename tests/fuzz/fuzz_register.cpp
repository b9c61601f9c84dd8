// Forest register reader: the input is a register CSV in a folder that
// holds the example PRM, PAR and run files, run as the batch tool runs it
// (its first rows, three years from now). A refusal says why; every data
// row is written for every year, a failed one with its line, id and
// reason; a row that reads has its values in range, and what is computed
// is a number.

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/register_thinning.h"
#include "core/graphics/result_arrays.h"
#include "core/register/register_columns.h"
#include "core/register/register_csv.h"
#include "core/register/register_rows.h"
#include "core/register/register_run.h"
#include "fuzz_support.h"

namespace {

using namespace mk;
namespace fs = std::filesystem;

const std::vector<int> kYears = {0, 5, 10};
// Rows past these are only read, not computed, to keep an input at a few
// milliseconds.
constexpr long long kComputedRows = 4;

// A folder of this process with the example files the rows may name; it
// goes when the process ends normally.
struct Folder {
    fs::path dir;
    Folder() {
        dir = fs::temp_directory_path() / ("fuzz_register_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        for (const char* name :
             {"sugi_type1.prm", "sugi_type2.prm", "sugi.PAR", "yield_method1_current.run",
              "yield_method4_current.run", "yield_method5_current.run"}) {
            fs::copy_file(fs::path(MORIKOYOMI_EXAMPLES) / name, dir / name,
                          fs::copy_options::overwrite_existing);
        }
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string Path() const { return dir.string() + "/"; }
};

const Folder& TheFolder() {
    static const Folder folder;
    return folder;
}

// The lines of the register as its reader splits them: LF or CR LF, the
// byte-order mark skipped.
std::vector<std::string> Lines(std::string_view bytes) {
    const EncodingGuess guess = DetectRegisterEncoding(bytes.substr(0, 64 * 1024));
    bytes.remove_prefix(guess.bomLength);
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string line(bytes.substr(0, end));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

bool IsNumberText(std::string_view text) {
    if (!text.empty() && text[0] == '-') text.remove_prefix(1);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view part = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    if (whole.empty() || (dot != std::string_view::npos && part.empty())) return false;
    for (char c : whole) {
        if (c < '0' || c > '9') return false;
    }
    for (char c : part) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Each data row as the row reader makes it, checked against the ranges the
// register's columns allow.
void CheckRows(const std::vector<std::string>& lines, std::size_t header,
               const RegisterHeader& columns, const std::string& folder,
               RegisterEncoding encoding) {
    std::vector<std::string> notices;
    RegisterFiles files(folder, cli::LoadRegisterThinning, notices);
    const CarbonTable carbon = CarbonTable::Defaults();
    const RowDefaults defaults{"", "", &carbon};
    RegisterRowReader reader(columns, defaults, files);
    std::vector<std::string> fields;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        const std::optional<std::string> line = DecodeRegisterLine(lines[i], encoding);
        if (!line || !SplitCsvLine(*line, fields)) continue;
        const CompartmentInput c = reader.Read(fields);
        if (!c.error.empty()) continue;
        fuzz::Require(c.area >= 0 && c.area <= kMaxCompartmentArea,
                      "an area read is 0 to the largest compartment");
        fuzz::Require(c.age >= 1 && c.age <= kMaxAge, "an age read is 1 to 200");
        fuzz::Require(
            (c.siteClass >= 1 && c.siteClass <= 3) ||
                (c.siteClass == 0 && std::isfinite(c.measuredHeight) && c.measuredHeight > 0),
            "a row has a site class 1 to 3 or a measured height above 0");
        fuzz::Require(c.stems == 0 || (c.stems >= 200 && c.stems <= 10000),
                      "a stem number read is 200 to 10000");
        fuzz::Require(c.parameters != nullptr, "a row that reads has its parameter set");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const std::string folder = TheFolder().Path();
    const std::string path = folder + "register.csv";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    RegisterOptions options;
    options.simulation.years = kYears;
    options.lastRow = kComputedRows;
    std::string output;
    const RegisterOutcome outcome =
        RunRegister(path, options, cli::LoadRegisterThinning, [&output](std::string_view b) {
            output += b;
            return true;
        });
    if (outcome.refused) {
        fuzz::Require(!outcome.error.empty(), "a refused register says why");
        fuzz::Require(outcome.rows == 0, "a refused register computes nothing");
        return 0;
    }

    const std::vector<std::string> lines = Lines(bytes);
    std::size_t header = 0;
    while (header < lines.size() && TrimBlanks(lines[header]).empty()) ++header;
    fuzz::Require(header < lines.size(), "a register without a header is refused");
    long long dataRows = 0;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        if (!TrimBlanks(lines[i]).empty()) ++dataRows;
    }
    dataRows = std::min(dataRows, kComputedRows);
    fuzz::Require(outcome.rows == dataRows, "every data row is computed or failed");
    fuzz::Require(outcome.failedRows <= outcome.rows, "no more rows fail than there are");
    for (const std::string& failure : outcome.failures) {
        const std::size_t mark = failure.find("行目 (区画 ");
        fuzz::Require(mark != std::string::npos, "a failed row names its line and id");
        const long long line = std::stoll(failure.substr(0, mark));
        fuzz::Require(
            line > static_cast<long long>(header) && line <= static_cast<long long>(lines.size()),
            "a failed row's line is a data line of the register");
        const std::size_t reason = failure.find("): ", mark);
        fuzz::Require(reason != std::string::npos && reason + 3 < failure.size(),
                      "a failed row says why");
    }

    // The output: the header, then a record per row and year; the figures
    // of a year that was computed are numbers.
    std::vector<std::string> records;
    for (std::size_t at = 0; at < output.size();) {
        const std::size_t end = output.find("\r\n", at);
        fuzz::Require(end != std::string::npos, "every output record ends in CR LF");
        records.push_back(output.substr(at, end - at));
        at = end + 2;
    }
    fuzz::Require(records.size() == 1 + static_cast<std::size_t>(dataRows) * kYears.size(),
                  "the output has a record per row and year");
    std::vector<std::string> fields;
    for (std::size_t r = 1; r < records.size(); ++r) {
        fuzz::Require(SplitCsvLine(records[r], fields), "an output record splits");
        fuzz::Require(fields.size() == 13, "an output record has 13 fields");
        if (!fields[12].empty()) continue;
        for (std::size_t f = 1; f < 12; ++f) {
            const bool optional = f >= 10;  // carbon, only with a species
            fuzz::Require((optional && fields[f].empty()) || IsNumberText(fields[f]),
                          "a computed figure is a number");
        }
    }

    const EncodingGuess guess = DetectRegisterEncoding(bytes.substr(0, 64 * 1024));
    const std::optional<std::string> headerLine = DecodeRegisterLine(lines[header], guess.encoding);
    std::vector<std::string> names;
    std::string error;
    if (headerLine && SplitCsvLine(*headerLine, names)) {
        if (const auto columns = MapRegisterHeader(names, error)) {
            CheckRows(lines, header, *columns, folder, guess.encoding);
        }
    }
    return 0;
}
