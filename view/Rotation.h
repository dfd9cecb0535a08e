// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "sim/TNode.h"

// The angle of a rotation bar in radians: position * pi / 180, in extended.
Extended AngleFromPosition(int position);

// Three turns, about the fixed X, then Y, then Z axis, by angles given in double.
class TRotation {
  public:
    TRotation(double phiX, double phiY, double phiZ);

    // Writes X, Y, Z of the nodes 1..gridSize of `turned`; V is left alone.
    void Apply(const TGrid& nodes, TGrid& turned, int gridSize) const;

  private:
    Extended CosX, SinX, CosY, SinY, CosZ, SinZ;
};
