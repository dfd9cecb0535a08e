// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "view/TScreenPoint.h"

#include <cmath>
#include <cstdint>
#include <limits>

// Round(quotient) + centre: the quotient to the nearest whole number, halves to
// even, in 64 bits; its low 32 bits plus the centre, wrapping around in 32 bits.
// False when no 64-bit integer holds the rounded quotient, or it is no number.
[[gnu::always_inline]] inline bool RoundToScreen(Extended quotient, std::int32_t centre,
                                                 std::int32_t& coordinate) {
    // Rounds in the current mode, to nearest with halves to even. The FPU
    // answers a quotient whose rounded value no 64-bit integer holds, and a
    // NaN, with "integer indefinite", -2^63, so only that answer needs a look:
    // it is right for quotients from -2^63 to -2^63 + 1/2.
    const long long rounded = std::llrint(quotient);
    if (rounded == std::numeric_limits<long long>::min() && !(quotient >= -0x1p63L && quotient < 0)) {
        return false;
    }
    const auto low = static_cast<std::uint32_t>(static_cast<unsigned long long>(rounded));
    coordinate = static_cast<std::int32_t>(low + static_cast<std::uint32_t>(centre));
    return true;
}

// A rotated point's coordinates times the zoom, each rounded to double.
struct TZoomedPoint {
    double X;
    double Y;
    double Z;
};

// The central projection of one rotated point onto the picture, centre (400, 300),
// with the eye `eyeDistance` zoomed units in front of the picture plane:
//   X = Round(e xz / (e + zz)) + 400, Y = Round(e yz / (e + zz)) + 300,
// with xz, yz, zz the coordinates times the zoom, each rounded to double.
// Its two halves, the zoom and the perspective, are inlined into the loops
// that project whole grids.
class TPointProjection {
  public:
    TPointProjection(double zoom, std::int32_t eyeDistance)
        : Scale(zoom), Eye(static_cast<Extended>(eyeDistance)) {}

    [[gnu::always_inline]] TZoomedPoint Zoom(Extended x, Extended y, Extended z) const {
        return {static_cast<double>(x * Scale), static_cast<double>(y * Scale),
                static_cast<double>(z * Scale)};
    }

    // False when the denominator is zero or a coordinate fails; X may then be
    // written already.
    [[gnu::always_inline]] bool Perspective(const TZoomedPoint& zoomed, TScreenPoint& point) const {
        const Extended depth = Eye + static_cast<Extended>(zoomed.Z);
        if (depth == 0) return false;
        return RoundToScreen(Eye * static_cast<Extended>(zoomed.X) / depth, 400, point.X) &&
               RoundToScreen(Eye * static_cast<Extended>(zoomed.Y) / depth, 300, point.Y);
    }

    [[gnu::always_inline]] bool operator()(Extended x, Extended y, Extended z,
                                           TScreenPoint& point) const {
        return Perspective(Zoom(x, y, z), point);
    }

  private:
    Extended Scale;
    Extended Eye;
};
