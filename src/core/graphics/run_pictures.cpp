#include "core/graphics/run_pictures.h"

#include "core/graphics/density_diagram_frame.h"

namespace mk {

void DrawRunPicture(Canvas& surface, const RunPictures& pictures, int index) {
    if (index == 0) {
        DrawDensityDiagram(surface, pictures.diagram);
        Replay(pictures.path, surface);
        return;
    }
    AgeAxisSettings axis;
    DrawAgeGraph(surface, index, pictures.graphs, axis);
}

std::string RunPictureTitle(int index) {
    if (index == 0) return "林分密度管理図";
    return AgeGraphTitle(index);
}

}  // namespace mk
