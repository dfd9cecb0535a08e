// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Rotation.h"

#include <cmath>

Extended AngleFromPosition(int position) { return static_cast<Extended>(position) * Pi / 180.0L; }

// The sines and cosines are of the double angles, in extended.
TRotation::TRotation(double phiX, double phiY, double phiZ)
    : CosX(std::cos(static_cast<Extended>(phiX))), SinX(std::sin(static_cast<Extended>(phiX))),
      CosY(std::cos(static_cast<Extended>(phiY))), SinY(std::sin(static_cast<Extended>(phiY))),
      CosZ(std::cos(static_cast<Extended>(phiZ))), SinZ(std::sin(static_cast<Extended>(phiZ))) {}

// Every product and sum is extended; the intermediate coordinates are rounded to
// double before they are used again, the last two are kept in extended.
void TRotation::Apply(const TGrid& nodes, TGrid& turned, int gridSize) const {
    for (int j = 1; j <= gridSize; ++j) {
        for (int i = 1; i <= gridSize; ++i) {
            const TNode& node = nodes(i, j);
            const Extended x0 = static_cast<double>(node.X);

            // About X: y1 = Y cos - Z sin, z1 = Y sin + Z cos.
            const Extended y1 = static_cast<double>(node.Y * CosX - node.Z * SinX);
            const Extended z1 = static_cast<double>(node.Y * SinX + node.Z * CosX);

            // About Y: x2 = x0 cos + z1 sin, z2 = z1 cos - x0 sin.
            const Extended x2 = static_cast<double>(x0 * CosY + z1 * SinY);
            const Extended z2 = static_cast<double>(z1 * CosY - x0 * SinY);

            // About Z: x3 = x2 cos - y1 sin, y3 = x2 sin + y1 cos.
            TNode& out = turned(i, j);
            out.X = x2 * CosZ - y1 * SinZ;
            out.Y = x2 * SinZ + y1 * CosZ;
            out.Z = z2;
        }
    }
}
