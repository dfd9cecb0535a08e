// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "real/SoftParts.h"

#include <utility>

// The sum and the difference of two magnitudes, the two halves of every
// addition and subtraction, before their rounding: the general operations
// round them out of line, the sums of squares inline. Internal to the
// arithmetic.
namespace SoftParts {

// A mantissa of 128 bits, `High`'s top bit set unless it still needs shifting up.
struct TUnrounded {
    bool Negative;
    int Exponent;
    std::uint64_t High;
    std::uint64_t Low;
};

// The smaller operand is shifted right to the larger's exponent; the bits it
// loses go into a second word, those beyond that word only as a sticky bit.
// A difference may need the second word's top bits once it is shifted back
// up by one, so they are kept however far the shift goes.
struct TAligned {
    std::uint64_t High;
    std::uint64_t Low;
};
inline TAligned AlignRight(std::uint64_t mantissa, int distance) {
    if (distance == 0) return {mantissa, 0};
    if (distance < 64) return {mantissa >> distance, mantissa << (64 - distance)};
    if (distance == 64) return {0, mantissa};
    if (distance < 128)
        return {0, mantissa >> (distance - 64) | (mantissa << (128 - distance) != 0)};
    return {0, mantissa != 0};
}

// |a| + |b| with the sign of both. Finite, non-zero operands.
inline TUnrounded AddMagnitudes(bool negative, TUnpacked a, TUnpacked b) {
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
    return {negative, exponent, high, low};
}

// |a| - |b|, negated when |b| is the larger; an exact zero is +0, as in the
// default rounding mode (all its bits 0). Finite, non-zero operands.
inline TUnrounded SubtractMagnitudes(bool negative, TUnpacked a, TUnpacked b) {
    if (a.Exponent < b.Exponent || (a.Exponent == b.Exponent && a.Mantissa < b.Mantissa)) {
        std::swap(a, b);
        negative = !negative;
    }
    if (a.Exponent == b.Exponent && a.Mantissa == b.Mantissa) return {false, a.Exponent, 0, 0};
    const TAligned smaller = AlignRight(b.Mantissa, a.Exponent - b.Exponent);
    // 128-bit difference, the borrow out of the low word taken from the high one.
    const std::uint64_t low = 0 - smaller.Low;
    const std::uint64_t high = a.Mantissa - smaller.High - (smaller.Low != 0);
    return {negative, a.Exponent, high, low};
}

} // namespace SoftParts
