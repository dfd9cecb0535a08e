// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/Recording.h"

#include <algorithm>
#include <limits>

std::optional<std::size_t> FreeSlot(const TProbeSlots& probes) {
    for (std::size_t slot = 0; slot < probes.size(); ++slot) {
        if (!probes[slot]) return slot;
    }
    return std::nullopt;
}

bool AnyProbe(const TProbeSlots& probes) {
    return std::any_of(probes.begin(), probes.end(),
                       [](const std::optional<TNodePosition>& probe) { return probe.has_value(); });
}

namespace {

// Unique across recordings, so that a ticket of a recording replaced by
// another (a lesson opened) fills nothing in the new one.
std::uint64_t NextStamp() {
    static std::uint64_t stamps = 0;
    return ++stamps;
}

} // namespace

TRecording::TRecording(std::size_t capacity)
    : Rows(std::max<std::size_t>(capacity, 1)), Stamps(Rows.size()) {
    for (TSeriesRow& row : Rows)
        row.Probes.resize(std::tuple_size_v<TProbeSlots>);
}

void TRecording::Clear() {
    Oldest = 0;
    Filled = 0;
    Hidden = 0;
}

void TRecording::Record(const TNet& net, long long pass, Extended simTime,
                        const TProbeSlots& probes) {
    const std::size_t at = (Oldest + Filled) % Rows.size();
    if (Hidden > 0) {
        // The pass made again: its row shows again, written the same.
        --Hidden;
        ++Filled;
    } else if (Filled == Rows.size()) {
        Oldest = (Oldest + 1) % Rows.size();
    } else {
        ++Filled;
    }
    TSeriesRow& row = Rows[at];
    row.Pass = pass;
    row.SimTime = static_cast<double>(simTime);
    const TRowTicket ticket{at, Stamps[at] = NextStamp()};
    if (Deferral && Deferral->Defer(net, ticket)) {
        constexpr double Pending = std::numeric_limits<double>::quiet_NaN();
        row.Kinetic = row.OwnSprings = row.CouplingSprings = row.Total = Pending;
    } else {
        SetEnergies(row, VisibleEnergy(net));
    }
    for (std::size_t slot = 0; slot < probes.size(); ++slot) {
        row.Probes[slot] =
            probes[slot] ? std::optional(ProbeDisplacement(net, *probes[slot])) : std::nullopt;
    }
}

void TRecording::FillEnergies(TRowTicket ticket, const TEnergy& energy) {
    if (ticket.Index < Rows.size() && Stamps[ticket.Index] == ticket.Stamp)
        SetEnergies(Rows[ticket.Index], energy);
}

void TRecording::Forget(std::size_t slot) {
    for (TSeriesRow& row : Rows)
        row.Probes[slot].reset();
}

void TRecording::ShowUpTo(long long pass) {
    while (Filled > 0 && At(Filled - 1).Pass > pass) {
        --Filled;
        ++Hidden;
    }
    while (Hidden > 0 && At(Filled).Pass <= pass) {
        ++Filled;
        --Hidden;
    }
}

std::size_t TRecording::FirstFrom(double time) const {
    std::size_t low = 0;
    std::size_t high = Filled;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (At(middle).SimTime < time) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

std::string TableText(const TRecording& recording, const TProbeSlots& probes, TCsvKind kind) {
    std::vector<TNodePosition> nodes;
    std::vector<std::size_t> places;
    for (std::size_t slot = 0; slot < probes.size(); ++slot) {
        if (!probes[slot]) continue;
        nodes.push_back(*probes[slot]);
        places.push_back(slot);
    }
    std::string text = TSeries(nodes, false).HeaderLine();
    TSeriesRow line;
    for (std::size_t k = 0; k < recording.Count(); ++k) {
        line = recording.At(k);
        line.Probes.clear();
        for (std::size_t slot : places)
            line.Probes.push_back(recording.At(k).Probes[slot]);
        text += TSeries::RowLine(line);
    }
    ToCsvKind(text, kind);
    return text;
}
