// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Rotation.h"

#include "view/ExtendedBits.h"

#include <array>
#include <cmath>

Extended AngleFromPosition(int position) { return static_cast<Extended>(position) * Pi / 180.0L; }

// The sines and cosines are of the double angles, in extended.
TRotation::TRotation(double phiX, double phiY, double phiZ)
    : CosX(std::cos(static_cast<Extended>(phiX))), SinX(std::sin(static_cast<Extended>(phiX))),
      CosY(std::cos(static_cast<Extended>(phiY))), SinY(std::sin(static_cast<Extended>(phiY))),
      CosZ(std::cos(static_cast<Extended>(phiZ))), SinZ(std::sin(static_cast<Extended>(phiZ))) {}

// Every product and sum is extended; the intermediate coordinates are rounded to
// double before they are used again, the last two are kept in extended.
//
// A row at a time, one turn after the other: each sweep needs only two of the
// six constants, so the FPU's eight registers hold them and the values being
// worked on, and no 80-bit value is spilled and loaded again for every node.
// The doubles between the sweeps wait in small arrays. When projecting, the
// last sweep zooms the turned point while it is still in registers, and a
// fourth one divides by the depth.
//
// Without a turn about Y or Z (cos 1, sin 0: the bar at 0, as at start and
// after every example) each product and sum of that turn is exact, so doubles
// give the same values, zeros' signs included, at a fraction of the FPU's
// cost; the turned coordinates that are doubles WriteDouble stores.
template <bool Project>
bool TRotation::Turn(const TGrid& nodes, TGrid& turned, int gridSize,
                     const TPointProjection* projection, TScreenGrid* points) const {
    // Local copies: writing a turned node cannot change them, so they stay in registers.
    const Extended cosX = CosX, sinX = SinX, cosY = CosY, sinY = SinY, cosZ = CosZ, sinZ = SinZ;
    const TPointProjection project = projection ? *projection : TPointProjection(1.0, 0);
    const bool turnAboutY = !(cosY == 1 && sinY == 0);
    const bool turnAboutZ = !(cosZ == 1 && sinZ == 0);
    std::array<double, GridCapacity> x0, y1, z1, x2, z2;
    std::array<TZoomedPoint, GridCapacity> zoomed;
    bool projected = true;
    const auto count = static_cast<std::size_t>(gridSize);
    for (int j = 1; j <= gridSize; ++j) {
        for (std::size_t k = 0; k < count; ++k) {
            const TNode& node = nodes(static_cast<int>(k) + 1, j);
            x0[k] = static_cast<double>(node.X);
            // About X: y1 = Y cos - Z sin, z1 = Y sin + Z cos.
            y1[k] = static_cast<double>(node.Y * cosX - node.Z * sinX);
            z1[k] = static_cast<double>(node.Y * sinX + node.Z * cosX);
        }
        // About Y: x2 = x0 cos + z1 sin, z2 = z1 cos - x0 sin.
        if (turnAboutY) {
            for (std::size_t k = 0; k < count; ++k) {
                const auto x = static_cast<Extended>(x0[k]);
                const auto z = static_cast<Extended>(z1[k]);
                x2[k] = static_cast<double>(x * cosY + z * sinY);
                z2[k] = static_cast<double>(z * cosY - x * sinY);
            }
        } else {
            for (std::size_t k = 0; k < count; ++k) {
                x2[k] = x0[k] * 1.0 + z1[k] * 0.0;
                z2[k] = z1[k] * 1.0 - x0[k] * 0.0;
            }
        }
        // About Z: x3 = x2 cos - y1 sin, y3 = x2 sin + y1 cos.
        for (std::size_t k = 0; k < count; ++k) {
            TNode& out = turned(static_cast<int>(k) + 1, j);
            Extended x3 = 0;
            Extended y3 = 0;
            if (turnAboutZ) {
                const auto x = static_cast<Extended>(x2[k]);
                const auto y = static_cast<Extended>(y1[k]);
                x3 = x * cosZ - y * sinZ;
                y3 = x * sinZ + y * cosZ;
                out.X = x3;
                out.Y = y3;
            } else {
                const double x = x2[k] * 1.0 - y1[k] * 0.0;
                const double y = x2[k] * 0.0 + y1[k] * 1.0;
                WriteDouble(out.X, x);
                WriteDouble(out.Y, y);
                x3 = x;
                y3 = y;
            }
            WriteDouble(out.Z, z2[k]);
            if constexpr (Project) zoomed[k] = project.Zoom(x3, y3, static_cast<Extended>(z2[k]));
        }
        if constexpr (Project) {
            for (std::size_t k = 0; k < count && projected; ++k) {
                projected = project.Perspective(zoomed[k], (*points)(static_cast<int>(k) + 1, j));
            }
        }
    }
    return projected;
}

void TRotation::Apply(const TGrid& nodes, TGrid& turned, int gridSize) const {
    Turn<false>(nodes, turned, gridSize, nullptr, nullptr);
}

bool TRotation::ApplyAndProject(const TGrid& nodes, TGrid& turned, int gridSize,
                                const TPointProjection& project, TScreenGrid& points) const {
    return Turn<true>(nodes, turned, gridSize, &project, &points);
}
