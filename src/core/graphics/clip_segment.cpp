#include "core/graphics/clip_segment.h"

#include <algorithm>
#include <cmath>

namespace mk {

namespace {

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

// Liang-Barsky: cuts the segment to the rectangle; false when nothing of
// it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY,
                 double maxX, double maxY) {
    double dx = x2 - x1, dy = y2 - y1;
    double q[4] = {x1 - minX, maxX - x1, y1 - minY, maxY - y1};
    // Ends near the limits of double can be further apart than a double
    // holds; only the ratios q / p count, so both are halved then.
    double scale = 1;
    if (!std::isfinite(dx) || !std::isfinite(dy)) {
        scale = 2;
        dx = x2 / 2 - x1 / 2;
        dy = y2 / 2 - y1 / 2;
        for (double& v : q) v /= 2;
    }
    double t0 = 0, t1 = 1;
    int edge0 = -1, edge1 = -1;  // the edge each end was cut at, if any
    const double p[4] = {-dx, dx, -dy, dy};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t, edge0 = i;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t, edge1 = i;
        }
    }
    double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    double nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    if (scale != 1) {
        nx1 += t0 * dx;
        ny1 += t0 * dy;
        nx2 += t1 * dx;
        ny2 += t1 * dy;
    }
    if (!Finite(nx1, ny1) || !Finite(nx2, ny2)) return false;
    // From far ends, x1 + t * dx keeps little precision. A cut end lies on
    // its edge, whose coordinate is known exactly, and every end lies within
    // the rectangle, so both are put there.
    const auto settle = [&](int edge, double& x, double& y) {
        if (edge == 0) x = minX;
        if (edge == 1) x = maxX;
        if (edge == 2) y = minY;
        if (edge == 3) y = maxY;
        x = std::clamp(x, minX, maxX);
        y = std::clamp(y, minY, maxY);
    };
    settle(edge0, nx1, ny1);
    settle(edge1, nx2, ny2);
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

}  // namespace mk
