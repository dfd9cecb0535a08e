// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"

#include <array>
#include <cstddef>

// One pendulum of the net. X, Y: rest position in model units (8 per node
// spacing); Z: displacement out of the plane; V: dZ/dt. In the rotated grid the
// same record holds the turned coordinates and V is unused.
struct TNode {
    Extended X = 0;
    Extended Y = 0;
    Extended Z = 0;
    Extended V = 0;
};

// Storage of a grid: always 150 x 150, of which 1..GridSize is used.
inline constexpr int GridCapacity = 150;

// A 150 x 150 grid addressed as in the physics, (i, j) from 1, i the x index.
// Stored with i running fastest, because every pass has j outside and i inside.
class TGrid {
  public:
    TNode& operator()(int i, int j) { return Cells[Index(i, j)]; }
    const TNode& operator()(int i, int j) const { return Cells[Index(i, j)]; }

    // The whole storage, for the snapshot copy and for exact comparisons.
    std::array<TNode, GridCapacity * GridCapacity>& Storage() { return Cells; }
    const std::array<TNode, GridCapacity * GridCapacity>& Storage() const { return Cells; }

  private:
    static std::size_t Index(int i, int j) {
        return static_cast<std::size_t>(j - 1) * GridCapacity + static_cast<std::size_t>(i - 1);
    }
    std::array<TNode, GridCapacity * GridCapacity> Cells{};
};
