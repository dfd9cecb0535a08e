// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Energy.h"
#include "sim/NetSize.h"

#include <array>

// What the visible net's energies need, copied out of the net, so that they
// can be summed later or elsewhere (in the page's worker, which gets these
// bytes as they are): the same bits as summed on the net.
struct TEnergySnapshot {
    struct TMotion {
        Extended Z = 0;
        Extended V = 0;
    };
    Extended Restoring = 0;
    Extended Coupling = 0;
    std::array<TMotion, VisibleNodes * VisibleNodes> Nodes;
};

void TakeSnapshot(const TNet& net, TEnergySnapshot& snapshot);
TEnergy SnapshotEnergy(const TEnergySnapshot& snapshot);
