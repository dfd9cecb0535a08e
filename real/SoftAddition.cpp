// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftMagnitudes.h"

using namespace SoftParts;

namespace {

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
    TSoftExtended special;
    if (AddSpecial(a, b, special)) return special;
    const bool negative = SignOf(a);
    if (SignOf(a) == SignOf(b)) {
        const TUnrounded sum = AddMagnitudes(negative, Normalized(a), Normalized(b));
        return RoundAndPack(sum.Negative, sum.Exponent, sum.High, sum.Low);
    }
    const TUnrounded difference = SubtractMagnitudes(negative, Normalized(a), Normalized(b));
    return NormalizeRoundAndPack(difference.Negative, difference.Exponent, difference.High,
                                 difference.Low);
}

// a + (-b), except that a NaN operand keeps its own sign.
TSoftExtended operator-(TSoftExtended a, TSoftExtended b) {
    if (IsNaN(a) || IsNaN(b)) return PropagateNaN(a, b);
    return a + -b;
}
