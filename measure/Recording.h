// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/Series.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The window's probes: four places, each empty or on a node.
using TProbeSlots = std::array<std::optional<TNodePosition>, 4>;

// The first place without a probe; nothing when all four hold one.
std::optional<std::size_t> FreeSlot(const TProbeSlots& probes);
bool AnyProbe(const TProbeSlots& probes);

// Which row's energies a deferral fills in: its place and the stamp it was
// written with, which a later row written there no longer has.
struct TRowTicket {
    std::size_t Index = 0;
    std::uint64_t Stamp = 0;
};

// Where a front end has the recorded passes' energies summed elsewhere (the
// page, in a worker) and fills them in later; till then the row holds NaN.
class IEnergyDeferral {
  public:
    // Takes what `net`'s energies need; false where it has no room, and the
    // recording sums them at once.
    virtual bool Defer(const TNet& net, TRowTicket ticket) = 0;

  protected:
    ~IEnergyDeferral() = default;
};

// The passes of the window's run, as the table and the chart of the renderer
// record them: the newest `capacity`, the oldest dropped first. Every row is
// made with the recording, so that a pass allocates nothing. Each row holds
// the value of every probe place; a place without a probe holds none.
class TRecording {
  public:
    explicit TRecording(std::size_t capacity);

    void Clear();
    // The pass just run on `net`.
    void Record(const TNet& net, long long pass, Extended simTime, const TProbeSlots& probes);
    // A probe set, moved or removed: what its place held belongs to no probe now.
    void Forget(std::size_t slot);
    // Time stepping: the rows up to `pass` show; those after it are kept out
    // of sight, to show again as the passes are made again, until given up.
    void ShowUpTo(long long pass);
    void GiveUpHidden() { Hidden = 0; }
    // From now on the energies are summed by `deferral` (or here, if null).
    void DeferEnergiesTo(IEnergyDeferral* deferral) { Deferral = deferral; }
    // A deferred row's energies; nothing where the row was written over since.
    void FillEnergies(TRowTicket ticket, const TEnergy& energy);

    std::size_t Count() const { return Filled; }
    // Row k, the oldest first.
    const TSeriesRow& At(std::size_t k) const { return Rows[(Oldest + k) % Rows.size()]; }
    // The first row at `time` or later; Count() if none.
    std::size_t FirstFrom(double time) const;

  private:
    std::vector<TSeriesRow> Rows;
    std::vector<std::uint64_t> Stamps; // as Rows
    IEnergyDeferral* Deferral = nullptr;
    std::size_t Oldest = 0;
    std::size_t Filled = 0;
    std::size_t Hidden = 0; // after the rows shown
};

// The recorded passes as the renderer's --csv writes them (in `kind`), with
// the probes set now as its --probe in the order of their places.
std::string TableText(const TRecording& recording, const TProbeSlots& probes, TCsvKind kind);
