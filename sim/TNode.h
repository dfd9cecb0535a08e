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

// 150 x 150 cells addressed as in the physics, (i, j) from 1, i the x index.
// Stored with i running fastest, because every pass has j outside and i inside.
template <class TCell> class TCellGrid {
  public:
    // How far apart in memory the cells of neighbouring nodes are.
    static constexpr std::ptrdiff_t StepI = 1;
    static constexpr std::ptrdiff_t StepJ = GridCapacity;

    TCell& operator()(int i, int j) { return Cells[Index(i, j)]; }
    const TCell& operator()(int i, int j) const { return Cells[Index(i, j)]; }

    // The whole storage, for exact comparisons.
    std::array<TCell, GridCapacity * GridCapacity>& Storage() { return Cells; }
    const std::array<TCell, GridCapacity * GridCapacity>& Storage() const { return Cells; }

  private:
    static std::size_t Index(int i, int j) {
        return static_cast<std::size_t>(j - 1) * GridCapacity + static_cast<std::size_t>(i - 1);
    }
    std::array<TCell, GridCapacity * GridCapacity> Cells{};
};

// A grid of nodes.
using TGrid = TCellGrid<TNode>;

// What the time step keeps of a node at its start: the displacement, the one
// value it reads of the neighbours.
struct TSnapshotNode {
    Extended Z = 0;
};
using TSnapshotGrid = TCellGrid<TSnapshotNode>;
