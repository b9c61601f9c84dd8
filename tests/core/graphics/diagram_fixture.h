#pragma once
// A Japanese-cedar-like density control diagram for the picture tests. Its
// isolines and yield-index lines were worked out by hand (python) from the
// equations: see the expectations in the tests.

#include "core/model/density_diagram.h"

namespace mk::test {

inline DensityDiagramParameters CedarDiagram() {
    DensityDiagramParameters d;
    d.Prm = {1,    0.084, -1.5, 5490, -2.7, 0.9, 0.38, 0.05, 0,
             0.98, 0.02,  5.3,  -1.4, 1,    1,   0.4,  0,    0};
    d.DensityDiagramLoaded = true;
    return d;
}

}  // namespace mk::test
