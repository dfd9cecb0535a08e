// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Net.h"
#include "sim/NetSize.h"

#include <array>
#include <cstddef>
#include <type_traits>

// What decides a net's future, kept aside: its values and the nodes in use.
// The snapshot and the turned grid are not kept: every pass and every drawing
// writes them before reading them. The nodes go to storage of `NodeBytes`
// given by the owner, so that keeping allocates nothing.
class TNetCopy {
  public:
    // The largest net any border makes.
    static constexpr int LargestGrid = GridSizeWithMargin(DampingMargin);
    static constexpr std::size_t NodeBytes = sizeof(TNode) * LargestGrid * LargestGrid;

    void SetStorage(unsigned char* storage) { Nodes = storage; }
    void Keep(const TNet& net);
    void RestoreInto(TNet& net) const;

  private:
    static_assert(BoundaryValues(BoundaryMode::DampedBorder).GridSize <= LargestGrid &&
                  BoundaryValues(BoundaryMode::LooseEnd).GridSize <= LargestGrid &&
                  BoundaryValues(BoundaryMode::FixedEnd).GridSize <= LargestGrid);
    // Every value of the net follows its three grids; copied as bytes, so that
    // a value added later is kept too and no bit changes on the way.
    static_assert(std::is_standard_layout_v<TNet> && std::is_trivially_copyable_v<TNet>);
    static_assert(offsetof(TNet, Nodes) == 0 &&
                  offsetof(TNet, GridSize) == offsetof(TNet, ViewNodes) + sizeof(TGrid));
    static constexpr std::size_t ValuesStart = offsetof(TNet, GridSize);
    using TValueBytes = std::array<unsigned char, sizeof(TNet) - ValuesStart>;

    unsigned char* Nodes = nullptr; // the used square, row by row
    TValueBytes Values{};
};
