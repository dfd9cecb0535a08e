// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Net.h"

void TNet::InitGrid() {
    for (int j = 1; j <= GridSize; ++j) {
        for (int i = 1; i <= GridSize; ++i) {
            TNode& node = Nodes(i, j);
            // Whole-number rest positions; the middle of the visible net is the origin.
            node.X = static_cast<Extended>((i - Margin - MiddleNode) * NodeSpacing);
            node.Y = static_cast<Extended>((j - Margin - MiddleNode) * NodeSpacing);
            node.Z = 0;
            node.V = 0;
        }
    }
}

void TNet::SelectBoundaryMode(BoundaryMode mode) {
    const TBoundaryValues values = BoundaryValues(mode);
    if (mode == BoundaryMode::DampedBorder) ZoneDamping = MarginZoneDamping;
    Margin = values.Margin;
    GridSize = values.GridSize;
    InitGrid();
    BaseTimeStep = values.BaseTimeStep;
}
