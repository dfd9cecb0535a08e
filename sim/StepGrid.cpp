// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Net.h"

#include <algorithm>
#include <cstring>

namespace {

// The values of the step that stay the same for every node. Held in a local
// copy, the compiler knows that writing a node cannot change them and keeps
// them in registers instead of reloading them from the net for every node.
struct TStepConstants {
    Extended Restoring;
    Extended Coupling;
    Extended TimeStep;
};

// One explicit step of Z'' = -Restoring*Z + Coupling*(S - n*Z) - Damping*V for
// one node: the velocity first, then the displacement with the new velocity.
// S, the neighbours' Z, comes from the snapshot, and so may the node's own Z:
// each node is written once per step, so until then its Z in Nodes is still
// the snapshot's.
[[gnu::always_inline]] inline void Advance(TNode& node, Extended z, Extended neighbourSum,
                                           Extended neighbourCount, Extended damping,
                                           const TStepConstants& k) {
    const Extended v = node.V;
    const Extended force =
        (-k.Restoring * z) + (neighbourSum - neighbourCount * z) * k.Coupling - damping * v;
    const Extended newV = force * k.TimeStep + v;
    node.V = newV;
    node.Z = newV * k.TimeStep + z;
}

} // namespace

// Only the displacements of the used nodes are ever read from the snapshot, so
// only they are copied: 16 bytes of a node's 64, and no unused node. Bytes are
// copied, not values, so no bit can change on the way.
void TNet::KeepDisplacement(int i, int j) {
    std::memcpy(&PrevNodes(i, j).Z, &Nodes(i, j).Z, sizeof(Extended));
}

// The snapshot is taken in parts, each just before anything that it keeps is
// written: here the two outer rings, which the border pass reads and writes;
// every other row by the interior pass just before it steps that row, while
// the row is at hand anyway. Each node's displacement is still that of the
// step's start when it is copied, so after the step PrevNodes is the whole
// snapshot, as if taken at once.
void TNet::SnapshotOuterRings() {
    const int G = GridSize;
    for (int i = 1; i <= G; ++i) {
        KeepDisplacement(i, 1);
        KeepDisplacement(i, std::min(2, G));
        KeepDisplacement(i, std::max(G - 1, 1));
        KeepDisplacement(i, G);
    }
    for (int j = 3; j <= G - 2; ++j) {
        KeepDisplacement(1, j);
        KeepDisplacement(2, j);
        KeepDisplacement(G - 1, j);
        KeepDisplacement(G, j);
    }
}

// Corners (2 neighbours) and edges (3), with the Damping the previous step's
// interior pass left behind: 0 in the first step of a run, afterwards that of
// node (G-1, G-1), which lies in the damped zone of "Rand-Dämpfung".
// The summation order of each kind of node is part of its result.
void TNet::BorderPass() {
    const int G = GridSize;
    const TSnapshotGrid& P = PrevNodes;
    const auto z = [&P](int i, int j) { return P(i, j).Z; };
    const TStepConstants k{Restoring, Coupling, TimeStep};
    const Extended d = Damping;
    const auto update = [this, &k, d](int i, int j, Extended sum, Extended count) {
        TNode& node = Nodes(i, j);
        Advance(node, node.Z, sum, count, d, k);
    };

    update(1, 1, z(2, 1) + z(1, 2), Extended{2});
    update(1, G, z(1, G - 1) + z(2, G), Extended{2});
    update(G, 1, z(G - 1, 1) + z(G, 2), Extended{2});
    update(G, G, z(G - 1, G) + z(G, G - 1), Extended{2});

    for (int j = 2; j <= G - 1; ++j) {
        update(1, j, z(2, j) + z(1, j - 1) + z(1, j + 1), Extended{3});
        update(G, j, z(G - 1, j) + z(G, j - 1) + z(G, j + 1), Extended{3});
    }
    for (int i = 2; i <= G - 1; ++i) {
        update(i, 1, z(i, 2) + z(i - 1, 1) + z(i + 1, 1), Extended{3});
        update(i, G, z(i, G - 1) + z(i - 1, G) + z(i + 1, G), Extended{3});
    }
}

void TNet::InteriorPass(bool zoneDamped) {
    const int G = GridSize;
    if (G < 3) return; // no interior: Damping stays as it is
    const TSnapshotGrid& P = PrevNodes;
    const TStepConstants k{Restoring, Coupling, TimeStep};
    const Extended zone = zoneDamped ? ZoneDamping : 0;
    // Along the row the snapshot's Z of a node is read three times: as the
    // right neighbour, as the node's own Z (each node is written once, so its
    // Z in Nodes is still that of the snapshot), and as the left neighbour.
    // It is loaded once and handed on. The row below is not stepped yet, so
    // its Z is read from Nodes, except in the border row, which the border
    // pass has stepped already.
    Extended left = 0;
    Extended here = 0;
    const auto stepRun = [&](int j, int from, int to, Extended damping, auto below) {
        for (int i = from; i <= to; ++i) {
            const Extended right = P(i + 1, j).Z;
            Advance(Nodes(i, j), here, left + right + P(i, j - 1).Z + below(i), Extended{4},
                    damping, k);
            left = here;
            here = right;
        }
    };
    // Outside the undamped window the zone damping acts (in "Rand-Dämpfung";
    // else zone is 0). A row goes in runs of one damping, which then needs no
    // register of its own when it is 0, so the FPU's eight hold the node's
    // velocity too.
    const auto undamped = [](int index) { return index >= UndampedFirst && index <= UndampedLast; };
    const auto stepRow = [&](int j, auto below) {
        for (int i = 2; i <= G - 1; ++i)
            KeepDisplacement(i, j);
        left = P(1, j).Z;
        here = P(2, j).Z;
        if (!undamped(j)) {
            stepRun(j, 2, G - 1, zone, below);
        } else {
            stepRun(j, 2, std::min(UndampedFirst - 1, G - 1), zone, below);
            stepRun(j, UndampedFirst, std::min(UndampedLast, G - 1), 0, below);
            stepRun(j, UndampedLast + 1, G - 1, zone, below);
        }
    };
    for (int j = 2; j <= G - 2; ++j) {
        stepRow(j, [this, j](int i) { return Nodes(i, j + 1).Z; });
    }
    stepRow(G - 1, [&P, G](int i) { return P(i, G).Z; });
    // Damping is the variable the next border pass reads: that of the last
    // interior node, (G-1, G-1).
    Damping = undamped(G - 1) ? 0 : zone;
}

void TNet::StepGrid(BoundaryMode mode) {
    SnapshotOuterRings();
    // A fixed border is never moved; it holds its neighbours as fixed points.
    if (mode != BoundaryMode::FixedEnd) BorderPass();
    InteriorPass(mode == BoundaryMode::DampedBorder);
}
