// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "real/SoftParts.h"

#include <bit>

// The rounding's steps, to be inlined where a loop does many operations (the
// sums of squares): the general operations call them out of line, which keeps
// their own loops (the net's step) faster.
namespace SoftParts::Steps {

[[gnu::always_inline]] inline TRounded ShiftRightRounded(std::uint64_t high, std::uint64_t low,
                                                         int distance) {
    std::uint64_t kept = high;
    std::uint64_t rest = low;
    if (distance >= 65) {
        kept = 0;
        rest = (high | low) != 0;
    } else if (distance == 64) {
        kept = 0;
        rest = high | (low != 0);
    } else if (distance > 0) {
        kept = high >> distance;
        rest = high << (64 - distance) | (low != 0);
    }
    // Above half rounds up, below half down, exactly half to the even neighbour.
    constexpr std::uint64_t Half = std::uint64_t{1} << 63;
    const bool up = rest > Half || (rest == Half && (kept & 1));
    const std::uint64_t rounded = kept + up;
    return {rounded, up && rounded == 0};
}

[[gnu::always_inline]] inline TSoftExtended RoundAndPack(bool negative, int exponent,
                                                         std::uint64_t high, std::uint64_t low) {
    if (exponent >= MaxExponent) return Infinity(negative);
    if (exponent < 1) {
        // Tiny: denormalized to the lowest exponent first, then rounded once
        // there. Rounding may carry it into the normal numbers' lowest binade.
        const TRounded r = ShiftRightRounded(high, low, 1 - exponent);
        return Pack(negative, static_cast<int>(r.Value >> 63), r.Value);
    }
    const TRounded r = ShiftRightRounded(high, low, 0);
    if (r.Carry) {
        // All ones rounded up: 2^64 is 1.0 of the next binade.
        return exponent + 1 >= MaxExponent ? Infinity(negative)
                                           : Pack(negative, exponent + 1, IntegerBit);
    }
    return Pack(negative, exponent, r.Value);
}

[[gnu::always_inline]] inline TSoftExtended
NormalizeRoundAndPack(bool negative, int exponent, std::uint64_t high, std::uint64_t low) {
    if (high == 0) {
        if (low == 0) return Zero(negative);
        high = low;
        low = 0;
        exponent -= 64;
    }
    const int shift = std::countl_zero(high);
    if (shift > 0) {
        high = high << shift | low >> (64 - shift);
        low <<= shift;
        exponent -= shift;
    }
    return RoundAndPack(negative, exponent, high, low);
}

} // namespace SoftParts::Steps
