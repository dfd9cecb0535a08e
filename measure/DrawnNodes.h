// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/NodePosition.h"
#include "measure/Recording.h"
#include "sim/Net.h"
#include "view/TScreenPoint.h"

#include <array>
#include <cstddef>
#include <optional>

// A probe's marker covers the square of this many pixels each way about its node.
constexpr int MarkerReach = 6;

// Where the visible nodes lie in a frame, kept from the frame being shown, so
// that a point of the drawing area finds the node the user sees under it.
class TDrawnNodes {
  public:
    // The frame just drawn on `net` from `points`.
    void Take(const TNet& net, const TScreenGrid& points);
    bool Taken() const { return HasFrame; }

    TScreenPoint At(const TNodePosition& node) const { return Points[Place(node.X, node.Y)]; }
    // The visible node drawn nearest to (x, y); nothing before the first frame.
    std::optional<TNodePosition> Nearest(int x, int y) const;
    // The first place whose probe's marker covers (x, y).
    std::optional<std::size_t> ProbeUnder(const TProbeSlots& probes, int x, int y) const;

  private:
    static constexpr int Side = VisibleNodes;
    static std::size_t Place(int x, int y) {
        return static_cast<std::size_t>((y - 1) * Side + (x - 1));
    }

    std::array<TScreenPoint, Side * Side> Points{};
    bool HasFrame = false;
};
