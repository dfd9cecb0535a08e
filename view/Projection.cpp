// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Projection.h"

#include "view/PointProjection.h"

double ZoomFromPosition(int position) {
    return static_cast<double>(static_cast<Extended>(position) / Extended{10});
}

bool ScreenCoordinate(Extended quotient, std::int32_t centre, std::int32_t& coordinate) {
    return RoundToScreen(quotient, centre, coordinate);
}

bool ProjectNode(const TNode& node, double zoom, std::int32_t eyeDistance, TScreenPoint& point) {
    return TPointProjection(zoom, eyeDistance)(node.X, node.Y, node.Z, point);
}

bool ProjectGrid(const TGrid& nodes, int gridSize, double zoom, std::int32_t eyeDistance,
                 TScreenGrid& points) {
    const TPointProjection project(zoom, eyeDistance);
    for (int j = 1; j <= gridSize; ++j) {
        for (int i = 1; i <= gridSize; ++i) {
            const TNode& node = nodes(i, j);
            if (!project(node.X, node.Y, node.Z, points(i, j))) return false;
        }
    }
    return true;
}
