#pragma once
// The stand density control diagram picture without a stand on it: the
// log-log frame of stem number against volume, the dominant-height
// isolines in red and the yield-index lines in blue. A run draws its
// stand's path over it.

#include "core/graphics/canvas.h"
#include "core/model/density_diagram.h"

namespace mk {

// The plot area in picture pixels: 1500 m3 at the top, 20 m3 at the
// bottom, 100 stems at the left and 10000 stems at the right.
struct DiagramFrame {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};
DiagramFrame DensityDiagramFrame();

// A diagram coordinate of a stem number or a volume as a whole pixel.
int DiagramPixelX(double N);
int DiagramPixelY(double V);

// Clears the picture and draws the diagram of these coefficients. Heights
// or yield indices whose curves the coefficients cannot give (a volume
// that is not a finite positive number) are left out rather than drawn
// as garbage.
void DrawDensityDiagram(Canvas& surface, const DensityDiagramParameters& diagram);

}  // namespace mk
