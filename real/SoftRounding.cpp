// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftParts.h"

#include <bit>

namespace SoftParts {

// Bits shifted out are kept as the part below the kept value; of those that
// fall off its end too, only whether any was set survives, in its lowest bit
// ("sticky"), which is all that rounding to nearest needs of them.
TRounded ShiftRightRounded(std::uint64_t high, std::uint64_t low, int distance) {
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

TSoftExtended RoundAndPack(bool negative, int exponent, std::uint64_t high, std::uint64_t low) {
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

TSoftExtended NormalizeRoundAndPack(bool negative, int exponent, std::uint64_t high,
                                    std::uint64_t low) {
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

TUnpacked Normalized(TSoftExtended value) {
    const int exponent = ExponentOf(value);
    const std::uint64_t mantissa = value.MantissaBits();
    // A subnormal's exponent is 1, not 0: its integer bit is simply clear.
    const int shift = std::countl_zero(mantissa);
    return {(exponent == 0 ? 1 : exponent) - shift, mantissa << shift};
}

// Intel's rule: of a signalling and a quiet NaN, the quiet one; of two alike,
// the one with the larger mantissa; always returned quiet.
TSoftExtended PropagateNaN(TSoftExtended a, TSoftExtended b) {
    constexpr std::uint64_t QuietBit = IntegerBit >> 1;
    const auto quieted = [](TSoftExtended nan) {
        return TSoftExtended::FromBits(nan.SignExponentBits(),
                                       nan.MantissaBits() | IntegerBit | QuietBit);
    };
    if (!IsNaN(b)) return quieted(a);
    if (!IsNaN(a)) return quieted(b);
    const bool quietA = a.MantissaBits() & QuietBit;
    const bool quietB = b.MantissaBits() & QuietBit;
    if (quietA != quietB) return quieted(quietA ? a : b);
    const std::uint64_t ma = a.MantissaBits() << 1;
    const std::uint64_t mb = b.MantissaBits() << 1;
    if (ma != mb) return quieted(ma > mb ? a : b);
    return quieted(SignOf(a) ? b : a);
}

} // namespace SoftParts
