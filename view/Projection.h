// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "sim/TNode.h"
#include "view/TScreenPoint.h"

#include <cstdint>

// The zoom factor of a zoom bar position: position / 10, rounded to double.
double ZoomFromPosition(int position);

// Round(quotient) + centre: the quotient to the nearest whole number, halves to
// even, in 64 bits; its low 32 bits plus the centre, wrapping around in 32 bits.
// False when no 64-bit integer holds the rounded quotient, or it is no number.
bool ScreenCoordinate(Extended quotient, std::int32_t centre, std::int32_t& coordinate);

// The central projection of a rotated node onto the picture, centre (400, 300),
// with the eye `eyeDistance` zoomed units in front of the picture plane:
//   X = Round(e xz / (e + zz)) + 400, Y = Round(e yz / (e + zz)) + 300,
// with xz, yz, zz the node's coordinates times the zoom, each rounded to double.
// False when the denominator is zero or a coordinate fails.
bool ProjectNode(const TNode& node, double zoom, std::int32_t eyeDistance, TScreenPoint& point);

// ProjectNode for the nodes 1..gridSize of `nodes`, into `points`; stops at the
// first node that fails.
bool ProjectGrid(const TGrid& nodes, int gridSize, double zoom, std::int32_t eyeDistance,
                 TScreenGrid& points);
