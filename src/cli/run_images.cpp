#include "cli/run_images.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/host/messages.h"
#include "core/session/workspace.h"
#include "core/text/file_errors.h"
#include "render/bmp_file.h"
#include "render/image_canvas.h"

namespace mk {
namespace {

std::string ImagePath(const std::string& dir, int index) {
    return (std::filesystem::path(dir) / ("image" + std::to_string(index) + ".bmp")).string();
}

bool Save(const ImageCanvas& canvas, const std::string& path, Messages& messages,
          std::vector<std::string>& written) {
    if (!SaveBmp(canvas, path, messages)) return false;
    written.push_back(path);
    return true;
}

}  // namespace

bool WriteRunImages(const std::string& dir, const ImageCanvas& diagram, const AgeGraphRun& run,
                    Messages& messages, std::vector<std::string>& written) {
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);  // a failure shows as a write error
    if (!Save(diagram, ImagePath(dir, 0), messages, written)) return false;
    ImageCanvas graph;
    AgeAxisSettings axis;
    for (int kind = kHeightGraph; kind <= kSlendernessGraph; ++kind) {
        DrawAgeGraph(graph, kind, run, axis);
        if (!Save(graph, ImagePath(dir, kind), messages, written)) return false;
    }
    return true;
}

AgeGraphRun RunGraphs(const Workspace& workspace, bool bySite) {
    AgeGraphRun run;
    run.results = &workspace.Results;
    run.series = AgeGraphSeries(bySite, workspace.VolumeTableSiteClass);
    // A run from planting starts at age 1, which the wizard stores as its
    // current age; a run file may leave that age out.
    run.startAge = std::max(workspace.Run.CurrentAge, 1);
    run.endAge = workspace.Run.EndAge;
    run.siteCurveScale = workspace.Run.SiteCurveScale;
    run.largeScaleFrom = AgeGraphRun::kYieldLargeScaleFrom;
    return run;
}

}  // namespace mk
