// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "real/SoftExtended.h"

#include <cstdint>

// The pieces every operation takes a value apart into and puts it back
// together from. Internal to the arithmetic.
namespace SoftParts {

inline constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
inline constexpr int MaxExponent = 0x7FFF; // infinities and NaNs
inline constexpr int Bias = 16383;

inline bool SignOf(TSoftExtended value) {
    return value.SignExponentBits() >> 15;
}
inline int ExponentOf(TSoftExtended value) {
    return value.SignExponentBits() & 0x7FFF;
}
inline std::uint16_t SignBits(bool negative) {
    return negative ? 0x8000 : 0;
}

inline TSoftExtended Pack(bool negative, int exponent, std::uint64_t mantissa) {
    return TSoftExtended::FromBits(static_cast<std::uint16_t>(SignBits(negative) | exponent),
                                   mantissa);
}
inline TSoftExtended Zero(bool negative) {
    return Pack(negative, 0, 0);
}
inline TSoftExtended Infinity(bool negative) {
    return Pack(negative, MaxExponent, IntegerBit);
}
// What the x87 answers an invalid operation with: negative, quiet, no payload.
inline TSoftExtended RealIndefinite() {
    return Pack(true, MaxExponent, IntegerBit | IntegerBit >> 1);
}

inline bool IsNaN(TSoftExtended value) {
    return ExponentOf(value) == MaxExponent && (value.MantissaBits() << 1) != 0;
}
inline bool IsInfinite(TSoftExtended value) {
    return ExponentOf(value) == MaxExponent && (value.MantissaBits() << 1) == 0;
}
inline bool IsZero(TSoftExtended value) {
    return ExponentOf(value) == 0 && value.MantissaBits() == 0;
}

// A finite value as mantissa times 2^(exponent - Bias - 63), the mantissa's
// top bit set: a subnormal (exponent field 0) is shifted up and its exponent
// goes below 1. Not for zero.
struct TUnpacked {
    int Exponent;
    std::uint64_t Mantissa;
};
TUnpacked Normalized(TSoftExtended value);

// The NaN the x87 gives for an operation with at least one NaN operand.
TSoftExtended PropagateNaN(TSoftExtended a, TSoftExtended b);

// A result's mantissa in 128 bits, `high` with its top bit set unless the
// exponent is the lowest, rounded to 64 bits and packed: the one place where
// the operations round. Subnormal when the exponent is below 1, infinite when
// it reaches MaxExponent.
TSoftExtended RoundAndPack(bool negative, int exponent, std::uint64_t high, std::uint64_t low);
// The same for a mantissa whose top bits may be zero: shifted up first.
TSoftExtended NormalizeRoundAndPack(bool negative, int exponent, std::uint64_t high,
                                    std::uint64_t low);

// (high, low) shifted right by `distance` bits and rounded to the nearest
// whole number, ties to even: the rounding of every conversion too. Bits
// shifted out are kept as the part below the kept value; of those that fall
// off its end too, only whether any was set survives, in its lowest bit
// ("sticky"), which is all that rounding to nearest needs of them.
struct TRounded {
    std::uint64_t Value;
    bool Carry; // the rounding reached 2^64
};
TRounded ShiftRightRounded(std::uint64_t high, std::uint64_t low, int distance);

} // namespace SoftParts
