// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/Recording.h"

#include <memory>
#include <optional>

class TRunLoop;

// The probes of the run: up to four places, each empty or on a node of the
// visible net, and the recording of the passes, made when "Messung" first
// opens and from then on taken of every pass; a fresh run clears it.
class TProbes {
  public:
    const TProbeSlots& Slots() const { return Places; }
    // Sets, moves or (nothing) removes the probe of a place.
    void Set(std::size_t slot, std::optional<TNodePosition> node);
    void RemoveAll();
    // A free place, the first; nothing when all four hold a probe.
    std::optional<std::size_t> FreeSlot() const;
    bool Any() const;

    // Makes the recording once, from the next pass of `loop` on.
    void StartRecording(const TRunLoop& loop);
    const TRecording* Recording() const { return Record.get(); }
    // After each firing of `loop`: a fresh run clears the recording, a new
    // pass is recorded.
    void AfterFiring(const TRunLoop& loop);

    // Counts every change of the probes or the recording, so that what shows
    // them repaints only after one.
    unsigned long long Changes() const { return ChangeCount; }
    void Changed() { ++ChangeCount; }

  private:
    TProbeSlots Places;
    std::unique_ptr<TRecording> Record;
    long long SeenStarts = 0;
    long long SeenPasses = 0;
    unsigned long long ChangeCount = 0;
};
