// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "view/TScreenPoint.h"
#include "view/X86Paths.h"

#include <cmath>
#include <cstdint>
#include <limits>
#ifdef WOGENFELD_X86_VIEW
#include <emmintrin.h>
#endif

// Round(quotient) + centre: the quotient to the nearest whole number, halves to
// even, in 64 bits; its low 32 bits plus the centre, wrapping around in 32 bits.
// False when no 64-bit integer holds the rounded quotient, or it is no number.
[[gnu::always_inline]] inline bool RoundToScreen(Extended quotient, std::int32_t centre,
                                                 std::int32_t& coordinate) {
    // Rounds in the current mode, to nearest with halves to even. The FPU, and
    // the software real alike, answers a quotient whose rounded value no 64-bit
    // integer holds, and a NaN, with "integer indefinite", -2^63, so only that
    // answer needs a look: it is right for quotients from -2^63 to -2^63 + 1/2.
    const std::int64_t rounded = RoundToInt64(quotient);
    if (rounded == std::numeric_limits<std::int64_t>::min() &&
        !(quotient >= Extended{-0x1p63} && quotient < 0)) {
        return false;
    }
    const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(rounded));
    coordinate = static_cast<std::int32_t>(low + static_cast<std::uint32_t>(centre));
    return true;
}

// One coordinate of QuickPerspective without the x86's vector registers, the
// same operations one at a time: false where the double quotient cannot tell.
[[gnu::always_inline]] inline bool QuickRoundToScreen(double eye, double along, double depth,
                                                      std::int32_t centre,
                                                      std::int32_t& coordinate) {
    const double quotient = eye * along / depth;
    if (!(std::fabs(quotient) < 0x1p20)) return false;
    // Adding 1.5 * 2^52 leaves no bits below the units, rounded halves to
    // even; taking it away again is exact: the nearest whole number.
    const double whole = (quotient + 0x1.8p52) - 0x1.8p52;
    if (!(std::fabs(quotient - whole) < 0.5 - 0x1p-30)) return false;
    coordinate = static_cast<std::int32_t>(whole) + centre;
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
        : Scale(zoom), Eye(static_cast<Extended>(eyeDistance)), EyeAsDouble(eyeDistance) {}

    // Each product goes from the FPU straight to its place; stored next to
    // each other, the compiler would join them by way of the SSE registers.
    [[gnu::always_inline]] void Zoom(Extended x, Extended y, Extended z, double& xz, double& yz,
                                     double& zz) const {
        xz = static_cast<double>(x * Scale);
        yz = static_cast<double>(y * Scale);
        zz = static_cast<double>(z * Scale);
    }

    // False when the denominator is zero or a coordinate fails; X may then be
    // written already.
    [[gnu::always_inline]] bool Perspective(const TZoomedPoint& zoomed, TScreenPoint& point) const {
        const Extended depth = Eye + static_cast<Extended>(zoomed.Z);
        if (depth == 0) return false;
        return RoundToScreen(Eye * static_cast<Extended>(zoomed.X) / depth, 400, point.X) &&
               RoundToScreen(Eye * static_cast<Extended>(zoomed.Y) / depth, 300, point.Y);
    }

    // Perspective reached by way of doubles, for all but a few points: false
    // where that way cannot tell, and then `point` is left alone. The double
    // quotient e x / (e + z) comes from three roundings and lies within
    // 3.01 * 2^-53 |q| of the exact one (plus 2^-1000 where the product
    // underflows), the extended quotient within 3.01 * 2^-64 |q|; for
    // |q| < 2^20 the two are less than 2^-31 apart. Where the double quotient
    // is more than 2^-30 away from a half, both have the same nearest whole
    // number, whichever way halves go. A zero depth, a quotient too large and
    // no number at all all fail the first test.
    //
    // On x86-64, X and Y go side by side through one SSE2 division, the
    // divider being what limits a sweep of these; each lane rounds as the
    // scalar operations would. The rounding to whole numbers is to nearest,
    // halves to even, as llrint's in the default mode, and exact in 32 bits
    // below the limit.
    [[gnu::always_inline]] bool QuickPerspective(const TZoomedPoint& zoomed,
                                                 TScreenPoint& point) const {
#ifndef WOGENFELD_X86_VIEW
        const double depth = EyeAsDouble + zoomed.Z;
        TScreenPoint quick{};
        if (!QuickRoundToScreen(EyeAsDouble, zoomed.X, depth, 400, quick.X) ||
            !QuickRoundToScreen(EyeAsDouble, zoomed.Y, depth, 300, quick.Y)) {
            return false;
        }
        point = quick;
        return true;
#else
        const __m128d eye = _mm_set1_pd(EyeAsDouble);
        const __m128d depth = _mm_set1_pd(EyeAsDouble + zoomed.Z);
        const __m128d quotient = _mm_div_pd(_mm_mul_pd(eye, _mm_set_pd(zoomed.Y, zoomed.X)), depth);
        const __m128i rounded = _mm_cvtpd_epi32(quotient);
        const __m128d magnitudeBits = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFF'FFFF'FFFF'FFFF));
        const __m128d size = _mm_and_pd(quotient, magnitudeBits);
        const __m128d fromWhole =
            _mm_and_pd(_mm_sub_pd(quotient, _mm_cvtepi32_pd(rounded)), magnitudeBits);
        constexpr double Limit = 0x1p20;
        constexpr double SureOfTheSide = 0.5 - 0x1p-30;
        const __m128d sure = _mm_and_pd(_mm_cmplt_pd(size, _mm_set1_pd(Limit)),
                                        _mm_cmplt_pd(fromWhole, _mm_set1_pd(SureOfTheSide)));
        if (_mm_movemask_pd(sure) != 0b11) return false;
        const __m128i centre = _mm_set_epi32(0, 0, 300, 400);
        const __m128i screen = _mm_add_epi32(rounded, centre);
        point.X = _mm_cvtsi128_si32(screen);
        point.Y = _mm_cvtsi128_si32(_mm_shuffle_epi32(screen, 0b01));
        return true;
#endif
    }

    [[gnu::always_inline]] bool operator()(Extended x, Extended y, Extended z,
                                           TScreenPoint& point) const {
        TZoomedPoint zoomed;
        Zoom(x, y, z, zoomed.X, zoomed.Y, zoomed.Z);
        return Perspective(zoomed, point);
    }

  private:
    Extended Scale;
    Extended Eye;
    double EyeAsDouble;
};
