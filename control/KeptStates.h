// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Commands.h"
#include "control/RunLoop.h"
#include "control/Stopwatch.h"
#include "measure/Recording.h"
#include "sim/NetCopy.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// A session as it stood after a pass, before the actions that came then: what
// it needs to go on from there bit for bit. The frame is not kept; drawing
// the pass again gives it.
struct TMoment {
    long long Pass = 0;      // the passes made
    std::size_t Applied = 0; // the actions of the log done
    TPanelValues Values;
    TLoopMarks Loop;
    TNetCopy Net;
    TStopwatch Watch;
    TProbeSlots Probes;
    int Example = 0;
    bool Activated = false;
    bool ShowsContinue = false;
    bool ShowsInfo = false;
    std::array<std::string, 3> Displays;
};

// A moment every `MomentSpacing` passes; one step back replays at most that
// many passes from the one before it.
inline constexpr long long MomentSpacing = 100;
// What the kept moments may take, and so how many there are: each as large as
// the largest net needs.
inline constexpr std::size_t KeptBytes = 64u << 20;
inline constexpr std::size_t MomentBytes = sizeof(TMoment) + sizeof(TNode) *
                                                                 GridSizeWithMargin(DampingMargin) *
                                                                 GridSizeWithMargin(DampingMargin);
inline constexpr std::size_t MomentCount = KeptBytes / MomentBytes;
// Time steps back over at least the last 10,000 passes.
static_assert(static_cast<long long>(MomentCount - 1) * MomentSpacing >= 10'000);

// The newest moments, oldest first; the oldest gives way when all are taken.
// Their storage is made at once, so that keeping one allocates nothing; the
// operating system gives it pages only as moments are first kept in them.
class TKeptStates {
  public:
    TKeptStates();
    TKeptStates(const TKeptStates&) = delete;
    TKeptStates& operator=(const TKeptStates&) = delete;

    void Clear() { Count = 0; }
    // The moment to fill for `pass`, after the ones kept before it.
    TMoment& Add(long long pass);
    // Moments after `pass` belong to a future given up.
    void DropAfter(long long pass);
    // The newest moment at or before `pass`; nullptr if none.
    const TMoment* AtOrBefore(long long pass) const;
    bool Has(long long pass) const;
    // The oldest pass a moment is kept for; `otherwise` if none.
    long long OldestPass(long long otherwise) const;

  private:
    const TMoment& At(std::size_t k) const { return Slots[(First + k) % MomentCount]; }

    std::unique_ptr<unsigned char[]> NodeStorage;
    std::vector<TMoment> Slots;
    std::size_t First = 0;
    std::size_t Count = 0;
};
