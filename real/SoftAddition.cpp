// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftParts.h"

#include <utility>

using namespace SoftParts;

namespace {

// The smaller operand is shifted right to the larger's exponent; the bits it
// loses go into a second word, those beyond that word only as a sticky bit.
// A difference may need the second word's top bits once it is shifted back
// up by one, so they are kept however far the shift goes.
struct TAligned {
    std::uint64_t High;
    std::uint64_t Low;
};
TAligned AlignRight(std::uint64_t mantissa, int distance) {
    if (distance == 0) return {mantissa, 0};
    if (distance < 64) return {mantissa >> distance, mantissa << (64 - distance)};
    if (distance == 64) return {0, mantissa};
    if (distance < 128)
        return {0, mantissa >> (distance - 64) | (mantissa << (128 - distance) != 0)};
    return {0, mantissa != 0};
}

// |a| + |b| with the sign of both. Finite, non-zero operands.
TSoftExtended AddMagnitudes(bool negative, TUnpacked a, TUnpacked b) {
    if (a.Exponent < b.Exponent) std::swap(a, b);
    const TAligned smaller = AlignRight(b.Mantissa, a.Exponent - b.Exponent);
    std::uint64_t high = a.Mantissa + smaller.High;
    std::uint64_t low = smaller.Low;
    int exponent = a.Exponent;
    if (high < a.Mantissa) {
        // Carried past the integer bit: one bit down, the lost one kept (and
        // the sticky bit kept apart from it).
        low = high << 63 | low >> 1 | (low & 1);
        high = high >> 1 | IntegerBit;
        ++exponent;
    }
    return RoundAndPack(negative, exponent, high, low);
}

// |a| - |b|, negated when |b| is the larger; an exact zero is +0, as in the
// default rounding mode. Finite, non-zero operands.
TSoftExtended SubtractMagnitudes(bool negative, TUnpacked a, TUnpacked b) {
    if (a.Exponent < b.Exponent || (a.Exponent == b.Exponent && a.Mantissa < b.Mantissa)) {
        std::swap(a, b);
        negative = !negative;
    }
    if (a.Exponent == b.Exponent && a.Mantissa == b.Mantissa) return Zero(false);
    const TAligned smaller = AlignRight(b.Mantissa, a.Exponent - b.Exponent);
    // 128-bit difference, the borrow out of the low word taken from the high one.
    const std::uint64_t low = 0 - smaller.Low;
    const std::uint64_t high = a.Mantissa - smaller.High - (smaller.Low != 0);
    return NormalizeRoundAndPack(negative, a.Exponent, high, low);
}

// The cases with a zero, an infinity or a NaN; false for two finite non-zero operands.
bool AddSpecial(TSoftExtended a, TSoftExtended b, TSoftExtended& sum) {
    if (IsNaN(a) || IsNaN(b)) {
        sum = PropagateNaN(a, b);
    } else if (IsInfinite(a)) {
        // Infinities of opposite signs have no sum.
        sum = IsInfinite(b) && SignOf(a) != SignOf(b) ? RealIndefinite() : a;
    } else if (IsInfinite(b)) {
        sum = b;
    } else if (IsZero(a)) {
        // -0 + -0 is -0; +0 + -0 is +0.
        sum = IsZero(b) ? Zero(SignOf(a) && SignOf(b)) : b;
    } else if (IsZero(b)) {
        sum = a;
    } else {
        return false;
    }
    return true;
}

} // namespace

TSoftExtended operator+(TSoftExtended a, TSoftExtended b) {
    TSoftExtended sum;
    if (AddSpecial(a, b, sum)) return sum;
    const bool negative = SignOf(a);
    return SignOf(a) == SignOf(b) ? AddMagnitudes(negative, Normalized(a), Normalized(b))
                                  : SubtractMagnitudes(negative, Normalized(a), Normalized(b));
}

// a + (-b), except that a NaN operand keeps its own sign.
TSoftExtended operator-(TSoftExtended a, TSoftExtended b) {
    if (IsNaN(a) || IsNaN(b)) return PropagateNaN(a, b);
    return a + -b;
}
