// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "sim/NetSize.h"

// The edge of the net, chosen in "Begrenzung".
enum class BoundaryMode {
    DampedBorder, // "Rand-Dämpfung": a damping margin around the visible net
    LooseEnd,     // "Reflexion (loses Ende)": free border nodes, waves reflect
    FixedEnd,     // "Reflexion (festes Ende)": border nodes held, waves reflect inverted
};

struct TBoundaryValues {
    int GridSize;          // nodes per side, margin included
    int Margin;            // width of the damping margin in nodes
    Extended BaseTimeStep; // time step before the cross-grid factor
};

constexpr TBoundaryValues BoundaryValues(BoundaryMode mode) {
    switch (mode) {
    case BoundaryMode::DampedBorder:
        return {GridSizeWithMargin(DampingMargin), DampingMargin, MarginTimeStep};
    case BoundaryMode::LooseEnd:
    case BoundaryMode::FixedEnd:
        break;
    }
    return {GridSizeWithMargin(NoMargin), NoMargin, Hundredth};
}

// The damping of the margin's nodes in "Rand-Dämpfung".
inline constexpr Extended MarginZoneDamping{2};
