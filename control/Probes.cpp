// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/Probes.h"

#include "control/RunLoop.h"

namespace {

// Enough for the passes of several minutes of a run in the lesson.
constexpr std::size_t RecordedPasses = 100000;

bool SameNode(const std::optional<TNodePosition>& a, const std::optional<TNodePosition>& b) {
    return a.has_value() == b.has_value() && (!a || (a->X == b->X && a->Y == b->Y));
}

} // namespace

void TProbes::Set(std::size_t slot, std::optional<TNodePosition> node) {
    if (SameNode(Places[slot], node)) return;
    Places[slot] = node;
    // From this pass on its column belongs to the new node.
    if (Record) Record->Forget(slot);
    ++ChangeCount;
}

void TProbes::RemoveAll() {
    for (std::size_t slot = 0; slot < Places.size(); ++slot)
        Set(slot, std::nullopt);
}

std::optional<std::size_t> TProbes::FreeSlot() const {
    for (std::size_t slot = 0; slot < Places.size(); ++slot) {
        if (!Places[slot]) return slot;
    }
    return std::nullopt;
}

bool TProbes::Any() const {
    for (const std::optional<TNodePosition>& place : Places) {
        if (place) return true;
    }
    return false;
}

void TProbes::StartRecording(const TRunLoop& loop) {
    if (Record) return;
    Record = std::make_unique<TRecording>(RecordedPasses);
    SeenPasses = loop.PassesOfRun();
}

void TProbes::AfterFiring(const TRunLoop& loop) {
    if (loop.RunsStarted() != SeenStarts) {
        SeenStarts = loop.RunsStarted();
        SeenPasses = 0;
        if (Record) Record->Clear();
    }
    if (loop.PassesOfRun() == SeenPasses) return;
    SeenPasses = loop.PassesOfRun();
    if (Record) Record->Record(loop.Net(), SeenPasses, loop.PassTime(), Places);
    ++ChangeCount;
}
