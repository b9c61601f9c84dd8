// Run-file reader of the batch tool: the syntax, the names, and the typed
// fields every command reads.

#include "cli/run_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    cli::RunFileError error;
    const auto file =
        cli::ParseRunFileText(std::string(fuzz::Bytes(data, size)), "fuzz/a.run", error);
    if (!file) {
        fuzz::Require(!error.reason.empty(), "a refused run file says why");
        return 0;
    }
    RunSettings run;
    CurrentStandState stand;
    std::string hnp;
    cli::ReadRunSettings(*file, run, stand, hnp, error);
    for (const auto& [section, keys] : cli::KnownRunFileKeys()) {
        for (const auto& key : keys) {
            double real = 0;
            int whole = 0;
            std::vector<double> list;
            std::string text;
            cli::GetReal(*file, section, key, real, error);
            cli::GetWhole(*file, section, key, whole, error);
            cli::GetRealList(*file, section, key, list, error);
            cli::GetPath(*file, section, key, text, error);
        }
    }
    return 0;
}
