// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls to have the recorded energies summed in its worker.
#include "web/PageCalls.h"

#include <emscripten/emscripten.h>

#include <cstdint>

extern "C" {

// Once the worker is ready (1), and when it failed (0).
EMSCRIPTEN_KEEPALIVE void wf_energies_elsewhere(int elsewhere) {
    ThePage().SumEnergiesElsewhere(elsewhere != 0);
}
EMSCRIPTEN_KEEPALIVE int wf_energy_snapshot_bytes() {
    return static_cast<int>(sizeof(TEnergySnapshot));
}
// The next snapshot to post to the worker (0: none), its stamp after it.
EMSCRIPTEN_KEEPALIVE const TEnergySnapshot* wf_energy_job() {
    return ThePage().Energies().NextToPost();
}
EMSCRIPTEN_KEEPALIVE double wf_energy_job_stamp() {
    return static_cast<double>(ThePage().Energies().SentStamp());
}
// The worker's sums for the snapshot stamped `stamp`, as the table holds them.
EMSCRIPTEN_KEEPALIVE void wf_energy_done(double stamp, double kinetic, double ownSprings,
                                         double couplingSprings, double total) {
    ThePage().Energies().Done(static_cast<std::uint64_t>(stamp),
                              {kinetic, ownSprings, couplingSprings, total},
                              ThePage().Session().Recording());
}

} // extern "C"
