// SPDX-License-Identifier: GPL-3.0-or-later
// The page's worker: the energies of the snapshots the page posts, summed
// with the same software reals, so with the same bits as on the page.
#include "sim/EnergySnapshot.h"

#include <emscripten/emscripten.h>

namespace {

TEnergySnapshot Room;
double Sums[4];

} // namespace

extern "C" {

// Where the page's snapshot bytes go before they are summed.
EMSCRIPTEN_KEEPALIVE TEnergySnapshot* we_room() {
    return &Room;
}
// Kinetic, own springs, coupling springs, total, as the table holds them.
EMSCRIPTEN_KEEPALIVE const double* we_sum() {
    const TEnergy energy = SnapshotEnergy(Room);
    Sums[0] = static_cast<double>(energy.Kinetic);
    Sums[1] = static_cast<double>(energy.OwnSprings);
    Sums[2] = static_cast<double>(energy.CouplingSprings);
    Sums[3] = static_cast<double>(energy.Total);
    return Sums;
}

} // extern "C"
