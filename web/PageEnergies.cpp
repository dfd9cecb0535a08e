// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/PageEnergies.h"

TPageEnergies::TPageEnergies() : Snapshots(Slots) {}

bool TPageEnergies::Defer(const TNet& net, TRowTicket ticket) {
    if (Waiting == Slots) return false;
    const std::size_t slot = (Oldest + Waiting) % Slots;
    TakeSnapshot(net, Snapshots[slot]);
    Tickets[slot] = ticket;
    ++Waiting;
    return true;
}

const TEnergySnapshot* TPageEnergies::NextToPost() {
    if (Sent == Waiting) return nullptr;
    return &Snapshots[(Oldest + Sent++) % Slots];
}

void TPageEnergies::Pop(TRecording* recording, const TEnergy& energy) {
    if (recording) recording->FillEnergies(Tickets[Oldest], energy);
    Oldest = (Oldest + 1) % Slots;
    --Waiting;
    if (Sent > 0) --Sent;
}

void TPageEnergies::Done(std::uint64_t stamp, const TEnergy& energy, TRecording* recording) {
    if (Sent > 0 && Tickets[Oldest].Stamp == stamp) Pop(recording, energy);
}

void TPageEnergies::SumAll(TRecording* recording) {
    while (Waiting > 0)
        Pop(recording, SnapshotEnergy(Snapshots[Oldest]));
}

void TPageEnergies::Forget() {
    Waiting = 0;
    Sent = 0;
}
