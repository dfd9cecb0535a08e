// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Net.h"

// Energy per unit mass of the visible nodes, in model units squared
// per unit of time squared:
//   kinetic          sum of V^2 / 2,
//   own springs      sum of Restoring * Z^2 / 2,
//   coupling springs Coupling * (Z_a - Z_b)^2 / 2 for each pair of visible
//                    neighbours a, b (the springs into the damping margin are
//                    not part of the visible net).
// With the Restoring and Coupling of the last pass.
struct TEnergy {
    Extended Kinetic = 0;
    Extended OwnSprings = 0;
    Extended CouplingSprings = 0;
    Extended Total = 0;
};

TEnergy VisibleEnergy(const TNet& net);
