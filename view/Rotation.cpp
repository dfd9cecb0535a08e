// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Rotation.h"

#include "view/ExtendedBits.h"
#include "view/VectorState.h"

#include <array>

Extended AngleFromPosition(int position) {
    return static_cast<Extended>(position) * Pi / Extended{180};
}

namespace {

// The turns about Y and Z by a zero angle (cos 1, sin 0), in doubles: each
// product and sum is exact there, so these give the extended formulas' values,
// zeros' signs included.
// About Y: x2 = x0 cos + z1 sin, z2 = z1 cos - x0 sin.
[[gnu::always_inline]] inline void NoTurnAboutY(double x0, double z1, double& x2, double& z2) {
    x2 = x0 * 1.0 + z1 * 0.0;
    z2 = z1 * 1.0 - x0 * 0.0;
}
// About Z: x3 = x2 cos - y1 sin, y3 = x2 sin + y1 cos.
[[gnu::always_inline]] inline void NoTurnAboutZ(double x2, double y1, double& x3, double& y3) {
    x3 = x2 * 1.0 - y1 * 0.0;
    y3 = x2 * 0.0 + y1 * 1.0;
}

} // namespace

// The sines and cosines are of the double angles, in extended.
TRotation::TRotation(double phiX, double phiY, double phiZ)
    : CosX(Cosine(static_cast<Extended>(phiX))), SinX(Sine(static_cast<Extended>(phiX))),
      CosY(Cosine(static_cast<Extended>(phiY))), SinY(Sine(static_cast<Extended>(phiY))),
      CosZ(Cosine(static_cast<Extended>(phiZ))), SinZ(Sine(static_cast<Extended>(phiZ))) {}

// Every product and sum is extended; the intermediate coordinates are rounded to
// double before they are used again, the last two are kept in extended.
//
// A row at a time, one sweep after the other: each sweep needs only two of the
// six constants, so the FPU's eight registers hold them and the values being
// worked on, and no 80-bit value is spilled and loaded again for every node.
// The values between the sweeps wait in small arrays, each stored where it is
// made and read in a later sweep, not read back at once through memory to
// cross between the FPU and the SSE registers, which makes it wait for its
// store.
//
// Without a turn about Y or Z (cos 1, sin 0: the bar at 0, as at start and
// after every example) each product and sum of that turn is exact: a node whose
// x0, y1, z1 are normal numbers keeps them as x3, y3, z2 (times 1, plus a finite
// value times 0, is the value itself), and the others are
// worked out in doubles, which give the same values, zeros' signs included, at
// a fraction of the FPU's cost. The turned coordinates that are doubles
// WriteDouble stores.
template <bool Project>
bool TRotation::Turn(const TGrid& nodes, TGrid& turned, int gridSize,
                     const TPointProjection* projection, TScreenGrid* points) const {
    ClearUpperVectorHalves();
    // Local copies: writing a turned node cannot change them, so they stay in registers.
    const Extended cosX = CosX, sinX = SinX, cosY = CosY, sinY = SinY, cosZ = CosZ, sinZ = SinZ;
    const TPointProjection project = projection ? *projection : TPointProjection(1.0, 0);
    const bool turnAboutY = !(cosY == 1 && sinY == 0);
    const bool turnAboutZ = !(cosZ == 1 && sinZ == 0);
    std::array<double, GridCapacity> x0, y1, z1, x2, z2;
    std::array<double, GridCapacity> xz, yz, zz; // zoomed
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
        if (!turnAboutY && !turnAboutZ) {
            if constexpr (Project) {
                for (std::size_t k = 0; k < count; ++k) {
                    project.Zoom(x0[k], y1[k], z1[k], xz[k], yz[k], zz[k]);
                }
            }
            for (std::size_t k = 0; k < count; ++k) {
                TNode& out = turned(static_cast<int>(k) + 1, j);
                if (IsNormal(x0[k]) && IsNormal(y1[k]) && IsNormal(z1[k])) {
                    WriteDouble(out.X, x0[k]);
                    WriteDouble(out.Y, y1[k]);
                    WriteDouble(out.Z, z1[k]);
                    continue;
                }
                double x = 0, z = 0, x3 = 0, y3 = 0;
                NoTurnAboutY(x0[k], z1[k], x, z);
                NoTurnAboutZ(x, y1[k], x3, y3);
                WriteDouble(out.X, x3);
                WriteDouble(out.Y, y3);
                WriteDouble(out.Z, z);
                if constexpr (Project) project.Zoom(x3, y3, z, xz[k], yz[k], zz[k]);
            }
        } else {
            // About Y: x2 = x0 cos + z1 sin, z2 = z1 cos - x0 sin.
            if (turnAboutY) {
                for (std::size_t k = 0; k < count; ++k) {
                    const auto x = static_cast<Extended>(x0[k]);
                    const auto z = static_cast<Extended>(z1[k]);
                    x2[k] = static_cast<double>(x * cosY + z * sinY);
                    z2[k] = static_cast<double>(z * cosY - x * sinY);
                }
            } else {
                for (std::size_t k = 0; k < count; ++k)
                    NoTurnAboutY(x0[k], z1[k], x2[k], z2[k]);
            }
            // About Z: x3 = x2 cos - y1 sin, y3 = x2 sin + y1 cos.
            if (turnAboutZ) {
                for (std::size_t k = 0; k < count; ++k) {
                    TNode& out = turned(static_cast<int>(k) + 1, j);
                    const auto x = static_cast<Extended>(x2[k]);
                    const auto y = static_cast<Extended>(y1[k]);
                    const Extended x3 = x * cosZ - y * sinZ;
                    const Extended y3 = x * sinZ + y * cosZ;
                    out.X = x3;
                    out.Y = y3;
                    if constexpr (Project) project.Zoom(x3, y3, z2[k], xz[k], yz[k], zz[k]);
                }
            } else {
                for (std::size_t k = 0; k < count; ++k) {
                    TNode& out = turned(static_cast<int>(k) + 1, j);
                    double x3 = 0, y3 = 0;
                    NoTurnAboutZ(x2[k], y1[k], x3, y3);
                    WriteDouble(out.X, x3);
                    WriteDouble(out.Y, y3);
                    x2[k] = x3;
                    y1[k] = y3;
                }
                if constexpr (Project) {
                    for (std::size_t k = 0; k < count; ++k) {
                        project.Zoom(x2[k], y1[k], z2[k], xz[k], yz[k], zz[k]);
                    }
                }
            }
            for (std::size_t k = 0; k < count; ++k) {
                WriteDouble(turned(static_cast<int>(k) + 1, j).Z, z2[k]);
            }
        }
        if constexpr (Project) {
            for (std::size_t k = 0; k < count && projected; ++k) {
                const TZoomedPoint zoomed{xz[k], yz[k], zz[k]};
                TScreenPoint& point = (*points)(static_cast<int>(k) + 1, j);
                projected =
                    project.QuickPerspective(zoomed, point) || project.Perspective(zoomed, point);
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
