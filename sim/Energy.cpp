// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Energy.h"

TEnergy VisibleEnergy(const TNet& net) {
    const int first = net.Margin + 1;
    const int last = net.GridSize - net.Margin;
    Extended velocities = 0;    // sum of V^2
    Extended displacements = 0; // sum of Z^2
    Extended stretches = 0;     // sum of (Z_a - Z_b)^2 over neighbour pairs
    for (int j = first; j <= last; ++j) {
        for (int i = first; i <= last; ++i) {
            const TNode& node = net.Nodes(i, j);
            velocities += node.V * node.V;
            displacements += node.Z * node.Z;
            if (i < last) {
                const Extended dz = net.Nodes(i + 1, j).Z - node.Z;
                stretches += dz * dz;
            }
            if (j < last) {
                const Extended dz = net.Nodes(i, j + 1).Z - node.Z;
                stretches += dz * dz;
            }
        }
    }
    TEnergy energy;
    energy.Kinetic = velocities / 2;
    energy.OwnSprings = net.Restoring * displacements / 2;
    energy.CouplingSprings = net.Coupling * stretches / 2;
    energy.Total = energy.Kinetic + energy.OwnSprings + energy.CouplingSprings;
    return energy;
}
