// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/TNode.h"

#include <cstdint>

// A projected node: pixel coordinates of the 800 x 600 picture, X to the right,
// Y downwards. Anywhere in 32 bits: points far outside the frame are kept as they are.
struct TScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// 150 x 150 projected nodes, addressed like the node grids: (i, j) from 1.
using TScreenGrid = TCellGrid<TScreenPoint>;
