// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "sim/TNode.h"
#include "view/PointProjection.h"
#include "view/TScreenPoint.h"

// The angle of a rotation bar in radians: position * pi / 180, in extended.
Extended AngleFromPosition(int position);

// Three turns, about the fixed X, then Y, then Z axis, by angles given in double.
class TRotation {
  public:
    TRotation(double phiX, double phiY, double phiZ);

    // Writes X, Y, Z of the nodes 1..gridSize of `turned`; V is left alone.
    void Apply(const TGrid& nodes, TGrid& turned, int gridSize) const;

    // Apply, and each turned node projected into `points` at once, exactly as
    // projecting `turned` afterwards would, node by node in the same order:
    // after the first node whose projection fails no more are projected (all
    // are turned), and the result is false.
    bool ApplyAndProject(const TGrid& nodes, TGrid& turned, int gridSize,
                         const TPointProjection& project, TScreenGrid& points) const;

  private:
    template <bool Project>
    bool Turn(const TGrid& nodes, TGrid& turned, int gridSize, const TPointProjection* projection,
              TScreenGrid* points) const;

    Extended CosX, SinX, CosY, SinY, CosZ, SinZ;
};
