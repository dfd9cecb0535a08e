// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftRoundingSteps.h"

namespace SoftParts {

TRounded ShiftRightRounded(std::uint64_t high, std::uint64_t low, int distance) {
    return Steps::ShiftRightRounded(high, low, distance);
}

TSoftExtended RoundAndPack(bool negative, int exponent, std::uint64_t high, std::uint64_t low) {
    return Steps::RoundAndPack(negative, exponent, high, low);
}

TSoftExtended NormalizeRoundAndPack(bool negative, int exponent, std::uint64_t high,
                                    std::uint64_t low) {
    return Steps::NormalizeRoundAndPack(negative, exponent, high, low);
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
