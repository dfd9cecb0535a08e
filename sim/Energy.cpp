// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Energy.h"

TEnergy VisibleEnergy(const TNet& net) {
    const int first = net.Margin + 1;
    return EnergyOver(
        net.GridSize - 2 * net.Margin, net.Restoring, net.Coupling,
        [&](int i, int j) -> const TNode& { return net.Nodes(first + i, first + j); });
}
