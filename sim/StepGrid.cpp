// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Net.h"

// One explicit step of Z'' = -Restoring*Z + Coupling*(S - n*Z) - Damping*V for
// node (i, j): the velocity first, then the displacement with the new velocity.
// S, the neighbours' Z, comes from the snapshot; the node's own Z and V are
// still those of the snapshot, since each node is written once per step.
void TNet::UpdateNode(int i, int j, Extended neighbourSum, Extended neighbourCount) {
    TNode& node = Nodes(i, j);
    const Extended force = (-Restoring * node.Z) +
                           (neighbourSum - neighbourCount * node.Z) * Coupling -
                           Damping * node.V;
    node.V = force * TimeStep + node.V;
    node.Z = node.V * TimeStep + node.Z;
}

// Corners (2 neighbours) and edges (3), with the Damping the previous step's
// interior pass left behind: 0 in the first step of a run, afterwards that of
// node (G-1, G-1), which lies in the damped zone of "Rand-Dämpfung".
// The summation order of each kind of node is part of its result.
void TNet::BorderPass() {
    const int G = GridSize;
    const TGrid& P = PrevNodes;
    const auto z = [&P](int i, int j) { return P(i, j).Z; };

    UpdateNode(1, 1, z(2, 1) + z(1, 2), 2.0L);
    UpdateNode(1, G, z(1, G - 1) + z(2, G), 2.0L);
    UpdateNode(G, 1, z(G - 1, 1) + z(G, 2), 2.0L);
    UpdateNode(G, G, z(G - 1, G) + z(G, G - 1), 2.0L);

    for (int j = 2; j <= G - 1; ++j) {
        UpdateNode(1, j, z(2, j) + z(1, j - 1) + z(1, j + 1), 3.0L);
        UpdateNode(G, j, z(G - 1, j) + z(G, j - 1) + z(G, j + 1), 3.0L);
    }
    for (int i = 2; i <= G - 1; ++i) {
        UpdateNode(i, 1, z(i, 2) + z(i - 1, 1) + z(i + 1, 1), 3.0L);
        UpdateNode(i, G, z(i, G - 1) + z(i - 1, G) + z(i + 1, G), 3.0L);
    }
}

void TNet::InteriorPass(bool zoneDamped) {
    const int G = GridSize;
    const TGrid& P = PrevNodes;
    for (int j = 2; j <= G - 1; ++j) {
        for (int i = 2; i <= G - 1; ++i) {
            // The window 11..81 is fixed: with the margin of 10 it is the visible net.
            const bool outsideWindow = i < 11 || i > 81 || j < 11 || j > 81;
            Damping = (zoneDamped && outsideWindow) ? ZoneDamping : 0;
            UpdateNode(i, j, P(i - 1, j).Z + P(i + 1, j).Z + P(i, j - 1).Z + P(i, j + 1).Z,
                       4.0L);
        }
    }
}

void TNet::StepGrid(BoundaryMode mode) {
    PrevNodes = Nodes;
    // A fixed border is never moved; it holds its neighbours as fixed points.
    if (mode != BoundaryMode::FixedEnd) BorderPass();
    InteriorPass(mode == BoundaryMode::DampedBorder);
}
