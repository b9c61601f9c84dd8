#pragma once
// The example diagram shared by the model suites.

#include "core/model/density_diagram.h"

namespace mk::test {

// The coefficients of examples/sugi_type1.prm.
inline DensityDiagramParameters SugiDiagram(double type = 1.0) {
    DensityDiagramParameters d;
    d.Prm = {type, 0.084, -1.5, 5490, -2.7, 0.9, 0.38, 0.05, 0.0, 0.98, 0.02,
             5.3,  -1.4,  1.0, 2.0, 0.4, 6.3719, -1.02};
    d.DensityDiagramLoaded = true;
    return d;
}

}  // namespace mk::test
