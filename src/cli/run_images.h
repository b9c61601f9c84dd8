#pragma once
// The six images of a finished run, as the all-image view would show them:
// DIR/image0 is the density control diagram with the stand's path,
// DIR/image1 … image5 the graphs of dominant height, mean DBH, stem volume,
// yield index and slenderness over age; .bmp, .png or .svg.

#include <string>
#include <vector>

#include "core/graphics/age_graph.h"
#include "core/graphics/run_pictures.h"
#include "render/picture_files.h"

namespace mk {

class ImageCanvas;
class Messages;
struct Workspace;

// Writes the six images into dir (made when missing): diagram is the
// picture the run drew on, the rest are drawn from pictures (and, as SVG,
// the diagram too). Every path written is appended to written. A file that
// cannot be written is reported through messages as a write error and the
// rest are not attempted; false then.
bool WriteRunImages(const std::string& dir, PictureFormat format, const ImageCanvas& diagram,
                    const RunPictures& pictures, Messages& messages,
                    std::vector<std::string>& written);

// The graphs of a yield table (bySite false: series 1) or of the site class
// VolumeTableSiteClass of a stand volume table (bySite true), over the ages
// of the workspace's run.
AgeGraphRun RunGraphs(const Workspace& workspace, bool bySite);

}  // namespace mk
