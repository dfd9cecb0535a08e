// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/DrawnNodes.h"

#include <cstdlib>

void TDrawnNodes::Take(const TNet& net, const TScreenGrid& points) {
    for (int y = 1; y <= Side; ++y) {
        for (int x = 1; x <= Side; ++x)
            Points[Place(x, y)] = points(x + net.Margin, y + net.Margin);
    }
    HasFrame = true;
}

std::optional<TNodePosition> TDrawnNodes::Nearest(int x, int y) const {
    if (!HasFrame) return std::nullopt;
    std::optional<TNodePosition> nearest;
    long long best = 0;
    for (int ny = 1; ny <= Side; ++ny) {
        for (int nx = 1; nx <= Side; ++nx) {
            const TScreenPoint& p = Points[Place(nx, ny)];
            // 64 bits: a point far outside the frame squares beyond 32.
            const long long dx = static_cast<long long>(p.X) - x;
            const long long dy = static_cast<long long>(p.Y) - y;
            const long long distance = dx * dx + dy * dy;
            if (!nearest || distance < best) {
                nearest = TNodePosition{nx, ny};
                best = distance;
            }
        }
    }
    return nearest;
}

std::optional<std::size_t> TDrawnNodes::ProbeUnder(const TProbeSlots& probes, int x, int y) const {
    if (!HasFrame) return std::nullopt;
    for (std::size_t slot = 0; slot < probes.size(); ++slot) {
        if (!probes[slot]) continue;
        const TScreenPoint& p = At(*probes[slot]);
        if (std::llabs(static_cast<long long>(p.X) - x) <= MarkerReach &&
            std::llabs(static_cast<long long>(p.Y) - y) <= MarkerReach)
            return slot;
    }
    return std::nullopt;
}
