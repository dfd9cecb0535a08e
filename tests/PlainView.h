// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The view worked out by hand, node by node, in the plainest words: the three
// turns of a node and its central projection, for holding the program's view
// to the last bit. Nothing here calls the view's own code.
//
// Every rounding to double of the view can be switched off one at a time, so a
// test can show that a case depends on it: a case whose result changes without
// a rounding fails whenever the program leaves that rounding out.

#include "sim/TNode.h"
#include "view/TScreenPoint.h"

#include <cmath>
#include <cstdint>
#include <optional>

struct TRoundings {
    bool Angles = true; // the three angles handed to the rotation as doubles
    bool X0 = true;
    bool Y1 = true;
    bool Z1 = true;
    bool X2 = true;
    bool Z2 = true;
    bool Zoom = true;
    bool XZ = true;
    bool YZ = true;
    bool ZZ = true;
};

// The value rounded to double, or left as it is.
inline long double RoundedIf(bool round, long double value) {
    if (!round) return value;
    const double rounded = static_cast<double>(value);
    return rounded;
}

// A rotation bar's angle: the position times the long double nearest to pi,
// divided by 180.
inline long double PlainAngle(int position) {
    const long double pi = 3.141592653589793238462643383279502884L;
    long double angle = position;
    angle = angle * pi;
    return angle / 180.0L;
}

// The three turns for the bar positions (x, y, z). The first turn is by minus
// the X bar's angle.
struct TPlainTurn {
    long double CosX, SinX, CosY, SinY, CosZ, SinZ;

    TPlainTurn(int barX, int barY, int barZ, const TRoundings& r = {}) {
        const long double phiX = RoundedIf(r.Angles, -PlainAngle(barX));
        const long double phiY = RoundedIf(r.Angles, PlainAngle(barY));
        const long double phiZ = RoundedIf(r.Angles, PlainAngle(barZ));
        CosX = std::cos(phiX);
        SinX = std::sin(phiX);
        CosY = std::cos(phiY);
        SinY = std::sin(phiY);
        CosZ = std::cos(phiZ);
        SinZ = std::sin(phiZ);
    }
};

// One node turned about X, then Y, then Z; V of the result is left 0.
inline TNode PlainRotate(const TNode& node, const TPlainTurn& turn, const TRoundings& r = {}) {
    const long double x0 = RoundedIf(r.X0, node.X);

    long double y1 = node.Y * turn.CosX;
    y1 = y1 - node.Z * turn.SinX;
    y1 = RoundedIf(r.Y1, y1);
    long double z1 = node.Y * turn.SinX;
    z1 = z1 + node.Z * turn.CosX;
    z1 = RoundedIf(r.Z1, z1);

    long double x2 = x0 * turn.CosY;
    x2 = x2 + z1 * turn.SinY;
    x2 = RoundedIf(r.X2, x2);
    long double z2 = z1 * turn.CosY;
    z2 = z2 - x0 * turn.SinY;
    z2 = RoundedIf(r.Z2, z2);
    const long double y2 = y1;

    long double x3 = x2 * turn.CosZ;
    x3 = x3 - y2 * turn.SinZ;
    long double y3 = x2 * turn.SinZ;
    y3 = y3 + y2 * turn.CosZ;
    const long double z3 = z2;

    TNode turned;
    turned.X = x3;
    turned.Y = y3;
    turned.Z = z3;
    return turned;
}

// The nearest whole number, halves to the even one; nothing when no 64-bit
// integer holds it or the value is no number.
inline std::optional<std::int64_t> PlainRound(long double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const long double below = std::floor(value);
    const long double fraction = value - below; // exact: below has no fraction bits
    long double nearest = below;
    if (fraction > 0.5L) nearest = below + 1;
    if (fraction == 0.5L && std::fmod(below, 2.0L) != 0) nearest = below + 1;
    if (nearest < -9223372036854775808.0L || nearest > 9223372036854775807.0L) return std::nullopt;
    return static_cast<std::int64_t>(nearest);
}

// Round(q) + centre: the low 32 bits of the rounded quotient plus the centre,
// wrapping around like 32-bit integers do.
inline std::optional<std::int32_t> PlainPixel(long double quotient, std::uint32_t centre) {
    const std::optional<std::int64_t> rounded = PlainRound(quotient);
    if (!rounded) return std::nullopt;
    const std::uint32_t low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(*rounded));
    return static_cast<std::int32_t>(low + centre);
}

inline long double PlainZoom(int zoomPosition, const TRoundings& r = {}) {
    long double zoom = zoomPosition;
    zoom = zoom / 10.0L;
    return RoundedIf(r.Zoom, zoom);
}

// The rotated node seen from the eye 1500 zoomed units before the picture
// plane, on the 800 x 600 picture with its centre at (400, 300); nothing when
// the depth is that of the eye or a pixel lies beyond 64 bits.
inline std::optional<TScreenPoint> PlainProject(const TNode& turned, int zoomPosition,
                                                const TRoundings& r = {}) {
    const long double zoom = PlainZoom(zoomPosition, r);
    const long double xz = RoundedIf(r.XZ, turned.X * zoom);
    const long double yz = RoundedIf(r.YZ, turned.Y * zoom);
    const long double zz = RoundedIf(r.ZZ, turned.Z * zoom);
    const long double eye = 1500;
    const long double d = eye + zz;
    if (d == 0) return std::nullopt;
    const std::optional<std::int32_t> x = PlainPixel(eye * xz / d, 400);
    const std::optional<std::int32_t> y = PlainPixel(eye * yz / d, 300);
    if (!x || !y) return std::nullopt;
    TScreenPoint point;
    point.X = *x;
    point.Y = *y;
    return point;
}
