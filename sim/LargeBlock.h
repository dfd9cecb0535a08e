// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Memory for the big blocks that every pass walks through, the net's grids and
// the picture's pixels: on Linux in 2 MB pages where the kernel grants them. A
// pass touches about a thousand 4 KB pages, far more than the processor keeps
// translated at once, and a line down the picture a new one every row or two;
// in 2 MB pages the same walk touches a handful. Elsewhere, and for blocks
// under 1 MB, it is plain memory. The block is aligned for any type;
// FreeLargeBlock, told the same size, gives it back.
void* AllocateLargeBlock(std::size_t bytes);
void FreeLargeBlock(void* block, std::size_t bytes) noexcept;
