// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Net.h"
#include "sim/SquareSum.h"

// Energy per unit mass of the visible nodes, in model units squared
// per unit of time squared:
//   kinetic          sum of V^2 / 2,
//   own springs      sum of Restoring * Z^2 / 2,
//   coupling springs Coupling * (Z_a - Z_b)^2 / 2 for each pair of visible
//                    neighbours a, b (the springs into the damping margin are
//                    not part of the visible net).
// With the Restoring and Coupling of the last pass.
struct TEnergy {
    Extended Kinetic = 0;
    Extended OwnSprings = 0;
    Extended CouplingSprings = 0;
    Extended Total = 0;
};

TEnergy VisibleEnergy(const TNet& net);

// The same sums over a visible net of `side` x `side` nodes that
// `nodeAt(i, j)` (from 0) gives, with their Z and V: one order of the sums
// for every copy of a net, as their bits depend on it.
template <class NodeAt>
TEnergy EnergyOver(int side, Extended restoring, Extended coupling, NodeAt nodeAt) {
    TSquareSum velocities;    // sum of V^2
    TSquareSum displacements; // sum of Z^2
    TSquareSum stretches;     // sum of (Z_a - Z_b)^2 over neighbour pairs
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            const auto& node = nodeAt(i, j);
            velocities.AddSquare(node.V);
            displacements.AddSquare(node.Z);
            if (i + 1 < side) stretches.AddSquaredDifference(node.Z, nodeAt(i + 1, j).Z);
            if (j + 1 < side) stretches.AddSquaredDifference(node.Z, nodeAt(i, j + 1).Z);
        }
    }
    TEnergy energy;
    energy.Kinetic = velocities.Value() / 2;
    energy.OwnSprings = restoring * displacements.Value() / 2;
    energy.CouplingSprings = coupling * stretches.Value() / 2;
    energy.Total = energy.Kinetic + energy.OwnSprings + energy.CouplingSprings;
    return energy;
}
