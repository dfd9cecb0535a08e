// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

// The net is computed in 80-bit x87 extended reals; its numbers, and so the
// picture, differ in other precisions. By default they are the compiler's
// long double on x86; built with WOGENFELD_SOFT_EXTENDED, the same reals in
// software, for machines without the x87 (WebAssembly), bit for bit the same.
#ifdef WOGENFELD_SOFT_EXTENDED

#include "real/SoftExtended.h"

using Extended = TSoftExtended;

constexpr Extended ExtendedFromBits(std::uint16_t signExponent, std::uint64_t mantissa) {
    return TSoftExtended::FromBits(signExponent, mantissa);
}

#else

#include <bit>
#include <limits>

using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64,
              "Wogenfeld needs x86 extended precision: long double must have a 64-bit "
              "mantissa (x86/x86-64 with GCC or Clang; not MSVC, not ARM), or build it "
              "with -DWOGENFELD_SOFT_EXTENDED=ON");

// The ten bytes of an x87 extended in memory, and six of padding.
constexpr Extended ExtendedFromBits(std::uint16_t signExponent, std::uint64_t mantissa) {
    struct TBytes {
        std::uint64_t Mantissa;
        std::uint16_t SignExponent;
        std::uint16_t Padding[3];
    };
    return std::bit_cast<long double>(TBytes{mantissa, signExponent, {}});
}

#endif

// The C library's functions of either type: glibc's for long double, their
// bit-for-bit twins for the software type (found next to it).
inline Extended Sine(Extended value) {
    using std::sin;
    return sin(value);
}
inline Extended Cosine(Extended value) {
    using std::cos;
    return cos(value);
}
inline Extended Floor(Extended value) {
    using std::floor;
    return floor(value);
}
// To the nearest whole number, halves to even; none in 64 bits, or no number,
// gives the smallest 64-bit integer.
inline std::int64_t RoundToInt64(Extended value) {
    using std::llrint;
    return llrint(value);
}

// The constants that are no whole numbers, nor halves, written as their bits
// so that both builds hold the same ones without parsing a decimal; the long
// double build checks each against the compiler's reading of the decimal.
// The extended reals nearest to pi and 2 pi.
inline constexpr Extended Pi = ExtendedFromBits(0x4000, 0xC90F'DAA2'2168'C235);
inline constexpr Extended TwoPi = ExtendedFromBits(0x4001, 0xC90F'DAA2'2168'C235);
// 0.01: the reflecting edges' time step, and Omega's step per position of
// the frequency bar.
inline constexpr Extended Hundredth = ExtendedFromBits(0x3FF8, 0xA3D7'0A3D'70A3'D70A);
// 0.0115: the time step with the damping margin.
inline constexpr Extended MarginTimeStep = ExtendedFromBits(0x3FF8, 0xBC6A'7EF9'DB22'D0E5);

#ifndef WOGENFELD_SOFT_EXTENDED
static_assert(Pi == 3.14159265358979323846264338327950288L);
static_assert(TwoPi == 6.28318530717958647692528676655900577L);
static_assert(Hundredth == 0.01L);
static_assert(MarginTimeStep == 0.0115L);
#endif

// Which extended reals the build computes with, as the programs name it.
const char* ExtendedRealsName();

// The value with two decimals, as printf's "%.2Lf" prints it.
std::string TwoDecimalText(Extended value);
