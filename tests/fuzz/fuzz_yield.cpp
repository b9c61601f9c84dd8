// End to end: a fuzzed PRM and PAR (the input split at a "\n====\n" line,
// its first byte choosing the thinning method and the site class) read by
// the core and, when both load, a short yield run with the settings of the
// example run files. The run must end, and its table reads as text.

#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "core/graphics/recording_canvas.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/text/paths.h"
#include "core/yield/table_calc.h"
#include "core/yield/yield_state.h"
#include "fuzz_support.h"

namespace {

// The tables go to a folder of their own, emptied after every run.
const std::string& TableFolder() {
    static const std::string folder = [] {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        pattern += "/morikoyomi-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) abort();
        return pattern + "/";
    }();
    return folder;
}

void Settings(mk::RunSettings& run, int method, int site) {
    run.PrmFileName = "a.prm";
    run.ParFileName = "a.PAR";
    run.SiteClass = site;
    run.ThinningMethod = method;
    run.StemSettingMethod = 1;
    run.PlantingStemNumber = 3000;
    run.EndAge = 60;
    run.ThinningFromAge = 14;
    run.ThinningToAge = 51;
    run.ThinningCount = 3;
    const double keys[3][3] = {{15, 25, 35}, {10, 14, 18}, {14, 20, 26}};
    for (int i = 1; i <= 3; ++i) {
        run.ThinningKey[i] = keys[method <= 3 ? method - 1 : 0][i - 1];
        run.ThinningRate[i] = 0.25;
    }
    run.RyTarget = 0.8;
    run.BoundThinningRate = 0.25;
    run.RyUpper = 0.8;
    run.RyLower = 0.65;
    run.SlendernessUpper = 0.85;
    run.SlendernessLower = 0.75;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    if (size < 1) return 0;
    const int method = 1 + data[0] % 6;
    const int site = 1 + (data[0] / 6) % 3;
    const std::string_view rest = fuzz::Bytes(data + 1, size - 1);
    const size_t split = rest.find("\n====\n");
    if (split == std::string_view::npos) return 0;

    auto ws = std::make_unique<YieldState>();
    const auto prm = ParsePrmBytes(rest.substr(0, split));
    const auto par = ParseParBytes(rest.substr(split + 6), TableFolder() + "a.PAR", {});
    if (!prm.ok() || !par.ok()) return 0;
    ws->Diagram = *prm.record;
    ws->HeightCurve = *par.record;
    Settings(ws->Run, method, site);
    ws->Run.SiteCurveScale = SiteCurveScale(ws->HeightCurve, site).value_or(0);
    PrepareRunSettings(*ws);

    // Checked before the run: the table goes next to the PAR file, and
    // nowhere else, whatever the PAR says.
    fuzz::Require(FolderPart(ws->HeightCurve.HeightCurveSource) == TableFolder(),
                  "the table is written in the folder of the PAR file");

    RecordingCanvas canvas;
    RecordingMessages messages;
    NullEventPump pump;
    const TableCalcOutcome outcome =
        TABLECALC(*ws, kYieldTableMode, canvas, ProgressText{}, messages, pump);
    if (!outcome.writtenPath.empty()) unlink(outcome.writtenPath.c_str());
    return 0;
}
