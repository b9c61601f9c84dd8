#pragma once
// The six pictures of one result (a yield run, one plan, one site class of
// a stand volume table) as drawings rather than pixels, so that each can be
// drawn on any surface: the window's picture, a vector image, a page.

#include <string>
#include <vector>

#include "core/graphics/age_graph.h"
#include "core/graphics/recording_canvas.h"
#include "core/model/density_diagram.h"

namespace mk {

inline constexpr int kRunPictureCount = 6;

struct RunPictures {
    DensityDiagramParameters diagram;
    // The stand's path as the run drew it over the diagram.
    std::vector<DrawnPrimitive> path;
    // The five graphs over age; its result arrays must outlive the drawing.
    AgeGraphRun graphs;
};

// Picture 0 is the density control diagram with the stand's path, 1..5 the
// graphs of dominant height, mean DBH, stem volume, yield index and
// slenderness.
void DrawRunPicture(Canvas& surface, const RunPictures& pictures, int index);

// "林分密度管理図" for picture 0, else the graph's title ("林齢－上層樹高" …).
std::string RunPictureTitle(int index);

}  // namespace mk
