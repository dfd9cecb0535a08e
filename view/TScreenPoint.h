// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/TNode.h"

#include <array>
#include <cstddef>
#include <cstdint>

// A projected node: pixel coordinates of the 800 x 600 picture, X to the right,
// Y downwards. Anywhere in 32 bits: points far outside the frame are kept as they are.
struct TScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// 150 x 150 projected nodes, addressed like the node grids: (i, j) from 1.
class TScreenGrid {
  public:
    // How far apart in memory the points of neighbouring nodes are.
    static constexpr std::ptrdiff_t StepI = 1;
    static constexpr std::ptrdiff_t StepJ = GridCapacity;

    TScreenPoint& operator()(int i, int j) { return Cells[Index(i, j)]; }
    const TScreenPoint& operator()(int i, int j) const { return Cells[Index(i, j)]; }

  private:
    static std::size_t Index(int i, int j) {
        return static_cast<std::size_t>(j - 1) * GridCapacity + static_cast<std::size_t>(i - 1);
    }
    std::array<TScreenPoint, GridCapacity * GridCapacity> Cells{};
};
