// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/EnergySnapshot.h"

void TakeSnapshot(const TNet& net, TEnergySnapshot& snapshot) {
    snapshot.Restoring = net.Restoring;
    snapshot.Coupling = net.Coupling;
    const int first = net.Margin + 1;
    for (int j = 0; j < VisibleNodes; ++j) {
        for (int i = 0; i < VisibleNodes; ++i) {
            const TNode& node = net.Nodes(first + i, first + j);
            snapshot.Nodes[static_cast<std::size_t>(j * VisibleNodes + i)] = {node.Z, node.V};
        }
    }
}

TEnergy SnapshotEnergy(const TEnergySnapshot& snapshot) {
    return EnergyOver(VisibleNodes, snapshot.Restoring, snapshot.Coupling,
                      [&](int i, int j) -> const TEnergySnapshot::TMotion& {
                          return snapshot.Nodes[static_cast<std::size_t>(j * VisibleNodes + i)];
                      });
}
