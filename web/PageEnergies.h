// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/Recording.h"
#include "sim/EnergySnapshot.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The page's recorded energies summed in its worker, off the passes' thread:
// the nets of the passes wait here as snapshots, the page posts them, and
// the worker's sums come back in the order posted. Where the ring is full
// (the worker behind) a pass's energies are summed at once, and whatever
// still waits is summed here when the table needs every row.
class TPageEnergies final : public IEnergyDeferral {
  public:
    TPageEnergies();

    bool Defer(const TNet& net, TRowTicket ticket) override;

    // The next snapshot to post, null when all are; its stamp then in SentStamp().
    const TEnergySnapshot* NextToPost();
    std::uint64_t SentStamp() const {
        return Sent > 0 ? Tickets[(Oldest + Sent - 1) % Slots].Stamp : 0;
    }
    // The worker's sums for the snapshot stamped `stamp`; an answer for one
    // already summed here (or forgotten) fills nothing.
    void Done(std::uint64_t stamp, const TEnergy& energy, TRecording* recording);
    // Everything waiting summed here.
    void SumAll(TRecording* recording);
    // The session replaced: what waits belongs to no row now.
    void Forget();

  private:
    // Two of the longest runs of passes a refresh makes in a slow engine (some
    // 50 passes in 100 ms): one being summed, one waiting; 20 MB.
    static constexpr std::size_t Slots = 128;
    void Pop(TRecording* recording, const TEnergy& energy);

    std::vector<TEnergySnapshot> Snapshots;
    std::array<TRowTicket, Slots> Tickets{};
    std::size_t Oldest = 0;
    std::size_t Waiting = 0;
    std::size_t Sent = 0; // of the waiting, from the oldest
};
