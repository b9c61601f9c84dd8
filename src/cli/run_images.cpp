#include "cli/run_images.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/host/messages.h"
#include "core/session/workspace.h"
#include "core/text/file_errors.h"
#include "render/image_canvas.h"

namespace mk {
namespace {

std::string ImagePath(const std::string& dir, int index, PictureFormat format) {
    return (std::filesystem::path(dir) /
            ("image" + std::to_string(index) + PictureExtension(format)))
        .string();
}

}  // namespace

bool WriteRunImages(const std::string& dir, PictureFormat format, const ImageCanvas& diagram,
                    const RunPictures& pictures, Messages& messages,
                    std::vector<std::string>& written) {
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);  // a failure shows as a write error
    ImageCanvas graph;
    for (int index = 0; index < kRunPictureCount; ++index) {
        const auto draw = [&pictures, index](Canvas& surface) {
            DrawRunPicture(surface, pictures, index);
        };
        // The diagram's pixels are those the run drew; the graphs are drawn
        // afresh only when pixels are wanted.
        if (index > 0 && format != PictureFormat::Svg) draw(graph);
        const ImageCanvas& shown = index == 0 ? diagram : graph;
        const std::string path = ImagePath(dir, index, format);
        if (!SavePicture(path, format, shown, draw, RunPictureTitle(index), messages)) return false;
        written.push_back(path);
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
