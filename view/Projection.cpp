// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Projection.h"

#include <cmath>

double ZoomFromPosition(int position) {
    return static_cast<double>(static_cast<Extended>(position) / 10.0L);
}

namespace {

// The per-node work of the hot projection loop, inlined there.
[[gnu::always_inline]] inline bool Coordinate(Extended quotient, std::int32_t centre,
                                              std::int32_t& coordinate) {
    // Both limits are exact in extended, and no extended lies between 2^63 - 1
    // and 2^63 - 0.5, which would round up to 2^63. A NaN fails both tests.
    if (!(quotient >= -0x1p63L && quotient <= 0x1p63L - 1.0L)) return false;
    // Rounds in the current mode, to nearest with halves to even.
    const long long rounded = std::llrint(quotient);
    const auto low = static_cast<std::uint32_t>(static_cast<unsigned long long>(rounded));
    coordinate = static_cast<std::int32_t>(low + static_cast<std::uint32_t>(centre));
    return true;
}

[[gnu::always_inline]] inline bool Project(const TNode& node, double zoom,
                                           std::int32_t eyeDistance, TScreenPoint& point) {
    const Extended scale = zoom;
    const Extended xz = static_cast<double>(node.X * scale);
    const Extended yz = static_cast<double>(node.Y * scale);
    const Extended zz = static_cast<double>(node.Z * scale);
    const Extended eye = static_cast<Extended>(eyeDistance);
    const Extended depth = eye + zz;
    if (depth == 0) return false;
    return Coordinate(eye * xz / depth, 400, point.X) && Coordinate(eye * yz / depth, 300, point.Y);
}

} // namespace

bool ScreenCoordinate(Extended quotient, std::int32_t centre, std::int32_t& coordinate) {
    return Coordinate(quotient, centre, coordinate);
}

bool ProjectNode(const TNode& node, double zoom, std::int32_t eyeDistance, TScreenPoint& point) {
    return Project(node, zoom, eyeDistance, point);
}

bool ProjectGrid(const TGrid& nodes, int gridSize, double zoom, std::int32_t eyeDistance,
                 TScreenGrid& points) {
    for (int j = 1; j <= gridSize; ++j) {
        for (int i = 1; i <= gridSize; ++i) {
            if (!Project(nodes(i, j), zoom, eyeDistance, points(i, j))) return false;
        }
    }
    return true;
}
