#pragma once
// Cutting a line to a rectangle: the pictures cut what lies far outside
// them, and the diagram's overlays cut what lies outside its plot area.

namespace mk {

// Liang-Barsky: cuts the segment to the rectangle, ends that were cut put
// exactly on their edge; false when nothing of it lies inside (or the ends
// are not numbers).
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY,
                 double maxX, double maxY);

}  // namespace mk
