// SPDX-License-Identifier: GPL-3.0-or-later
// Sine and cosine as glibc computes sinl and cosl on x86-64 (not with the
// x87's FSIN/FCOS): near zero a polynomial; further out a table point h
// with sin h and cos h in two parts each and short polynomials in the
// distance l from it; beyond pi/4 the reduction by pi/2 first. Every step
// in the same order and precision, so that the results are the same bits.
#include "real/SoftParts.h"
#include "real/SoftPiReduction.h"
#include "real/SoftSineTables.h"

#include <array>

using namespace SoftParts;

namespace {

using E = TSoftExtended;

// The polynomials' coefficients, highest power first.
// sin x = x + x z (SIN1 + z SIN2 + ... + z^7 SIN8), z = x^2, for |x| < 0.1484375.
constexpr std::array<E, 8> SinNearZero = {
    E::FromBits(0x3FCE, 0xCA8808AD55FC3D67), E::FromBits(0xBFD6, 0xD73F9EAD779863DE),
    E::FromBits(0x3FDE, 0xB092309D408A402A), E::FromBits(0xBFE5, 0xD7322B3FAA270B64),
    E::FromBits(0x3FEC, 0xB8EF1D2AB6399C7D), E::FromBits(0xBFF2, 0xD00D00D00D00D00D),
    E::FromBits(0x3FF8, 0x8888888888888889), E::FromBits(0xBFFC, 0xAAAAAAAAAAAAAAAB),
};
// cos x = 1 + z (COS1 + z COS2 + ... + z^7 COS8), for |x| < 0.1484375.
constexpr std::array<E, 8> CosNearZero = {
    E::FromBits(0x3FD2, 0xD72FC0CBE5E6E57C), E::FromBits(0xBFDA, 0xC9CBA4B49154B00F),
    E::FromBits(0x3FE2, 0x8F76C77FC40E8F49), E::FromBits(0xBFE9, 0x93F27DBBC4FAD541),
    E::FromBits(0x3FEF, 0xD00D00D00D00D00D), E::FromBits(0xBFF5, 0xB60B60B60B60B60B),
    E::FromBits(0x3FFA, 0xAAAAAAAAAAAAAAAB), E::FromBits(0xBFFE, 0x8000000000000000),
};
// sin l = l (1 + z (SSIN1 + ... + z^4 SSIN5)) and cos l - 1 = z (SCOS1 + ... + z^4 SCOS5)
// for |l| <= 1/256.
constexpr std::array<E, 5> SinNearPoint = {
    E::FromBits(0xBFE5, 0xD73227748623EE39), E::FromBits(0x3FEC, 0xB8EF1D2AB6320635),
    E::FromBits(0xBFF2, 0xD00D00D00D00D00D), E::FromBits(0x3FF8, 0x8888888888888889),
    E::FromBits(0xBFFC, 0xAAAAAAAAAAAAAAAB),
};
constexpr std::array<E, 5> CosNearPoint = {
    E::FromBits(0xBFE9, 0x93F27AEE731BE586), E::FromBits(0x3FEF, 0xD00D00D00CF7016E),
    E::FromBits(0xBFF5, 0xB60B60B60B60B60B), E::FromBits(0x3FFA, 0xAAAAAAAAAAAAAAAB),
    E::FromBits(0xBFFE, 0x8000000000000000),
};

const E One = 1;
const E TablePointsFrom = 0.1484375;
const E Tiny = 0x1p-33; // below it sin x is x and cos x is 1

// c[0] z^(n-1) + ... + c[n-1], by Horner's rule from the highest power.
template <std::size_t N> E Horner(const std::array<E, N>& c, E z) {
    E sum = c[0];
    for (std::size_t k = 1; k < N; ++k)
        sum = sum * z + c[k];
    return sum;
}

E Magnitude(E x) {
    return E::FromBits(x.SignExponentBits() & 0x7FFF, x.MantissaBits());
}

// The table point h nearest below x (x >= 0.1484375) and its row.
struct TTablePoint {
    E H;
    const TSineTableRow* Row;
};
TTablePoint TablePointFor(E x) {
    const auto index = static_cast<std::int32_t>(E(128) * (x - E(0.14453125)));
    return {TablePointsFrom + E(static_cast<double>(index) * 0.0078125),
            &SineTable[static_cast<std::size_t>(index)]};
}

struct TNearPoint {
    E SinL;
    E CosLMinusOne;
};
TNearPoint NearPoint(E l) {
    const E z = l * l;
    return {l * (One + z * Horner(SinNearPoint, z)), z * Horner(CosNearPoint, z)};
}

// sin(x + y) for |x| <= pi/4 and a tail y far below x (none when hasTail is
// false); near zero the tail is left out.
E SinKernel(E x, E y, bool hasTail) {
    const E size = Magnitude(x);
    if (size < TablePointsFrom) {
        if (size < Tiny) return x;
        const E z = x * x;
        return x + x * (z * Horner(SinNearZero, z));
    }
    // sin(h + l) = sin h + (sin h (cos l - 1) + cos h sin l)
    const TTablePoint point = TablePointFor(size);
    const E l = hasTail ? (x < 0 ? -y : y) - (point.H - size) : size - point.H;
    const TNearPoint near = NearPoint(l);
    const TSineTableRow& row = *point.Row;
    const E sum =
        row.SinHigh + ((row.SinLow + row.SinHigh * near.CosLMinusOne) + row.CosHigh * near.SinL);
    return x < 0 ? -sum : sum;
}

// cos(x + y) for |x| <= pi/4 and a tail y far below x.
E CosKernel(E x, E y) {
    if (SignOf(x)) {
        x = -x;
        y = -y;
    }
    if (x < TablePointsFrom) {
        if (x < Tiny) return One;
        const E z = x * x;
        return One + z * Horner(CosNearZero, z);
    }
    // cos(h + l) = cos h + (cos h (cos l - 1) - sin h sin l)
    const TTablePoint point = TablePointFor(x);
    const E l = y - (point.H - x);
    const TNearPoint near = NearPoint(l);
    const TSineTableRow& row = *point.Row;
    return row.CosHigh + (row.CosLow - (row.SinHigh * near.SinL - row.CosHigh * near.CosLMinusOne));
}

// |x| up to the extended just below pi/4's top 32 bits needs no reduction.
bool WithinQuarterPi(E x) {
    const int exponent = ExponentOf(x);
    return exponent < 0x3FFE || (exponent == 0x3FFE && (x.MantissaBits() >> 32) <= 0xC90FDAA2);
}

} // namespace

TSoftExtended sin(TSoftExtended x) {
    if (WithinQuarterPi(x)) return SinKernel(x, 0, false);
    if (ExponentOf(x) == MaxExponent) return x - x; // no sine: a NaN
    const TReduced r = ReduceByHalfPi(x);
    switch (r.Quadrant & 3) {
    case 0:
        return SinKernel(r.Head, r.Tail, true);
    case 1:
        return CosKernel(r.Head, r.Tail);
    case 2:
        return -SinKernel(r.Head, r.Tail, true);
    default:
        return -CosKernel(r.Head, r.Tail);
    }
}

TSoftExtended cos(TSoftExtended x) {
    if (WithinQuarterPi(x)) return CosKernel(x, 0);
    if (ExponentOf(x) == MaxExponent) return x - x;
    const TReduced r = ReduceByHalfPi(x);
    switch (r.Quadrant & 3) {
    case 0:
        return CosKernel(r.Head, r.Tail);
    case 1:
        return -SinKernel(r.Head, r.Tail, true);
    case 2:
        return -CosKernel(r.Head, r.Tail);
    default:
        return SinKernel(r.Head, r.Tail, true);
    }
}
