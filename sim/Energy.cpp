// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Energy.h"

#include "sim/SquareSum.h"

TEnergy VisibleEnergy(const TNet& net) {
    const int first = net.Margin + 1;
    const int last = net.GridSize - net.Margin;
    TSquareSum velocities;    // sum of V^2
    TSquareSum displacements; // sum of Z^2
    TSquareSum stretches;     // sum of (Z_a - Z_b)^2 over neighbour pairs
    for (int j = first; j <= last; ++j) {
        for (int i = first; i <= last; ++i) {
            const TNode& node = net.Nodes(i, j);
            velocities.AddSquare(node.V);
            displacements.AddSquare(node.Z);
            if (i < last) stretches.AddSquaredDifference(node.Z, net.Nodes(i + 1, j).Z);
            if (j < last) stretches.AddSquaredDifference(node.Z, net.Nodes(i, j + 1).Z);
        }
    }
    TEnergy energy;
    energy.Kinetic = velocities.Value() / 2;
    energy.OwnSprings = net.Restoring * displacements.Value() / 2;
    energy.CouplingSprings = net.Coupling * stretches.Value() / 2;
    energy.Total = energy.Kinetic + energy.OwnSprings + energy.CouplingSprings;
    return energy;
}
