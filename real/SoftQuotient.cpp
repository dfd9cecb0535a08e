// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftParts.h"
#include "real/WideArithmetic.h"

using namespace SoftParts;

// The quotient's sign is the operands' exclusive or; 0/0 and inf/inf have
// none; a finite number over zero is an infinity, over an infinity a zero.
TSoftExtended operator/(TSoftExtended a, TSoftExtended b) {
    const bool negative = SignOf(a) != SignOf(b);
    if (IsNaN(a) || IsNaN(b)) return PropagateNaN(a, b);
    if (IsInfinite(a)) return IsInfinite(b) ? RealIndefinite() : Infinity(negative);
    if (IsInfinite(b)) return Zero(negative);
    if (IsZero(b)) return IsZero(a) ? RealIndefinite() : Infinity(negative);
    if (IsZero(a)) return Zero(negative);
    const TUnpacked x = Normalized(a);
    const TUnpacked y = Normalized(b);
    // The dividend is placed so that the quotient lands in [2^63, 2^64): 64
    // bits of it, then 64 more from the remainder to round by, and whether
    // anything is left after them.
    int exponent = x.Exponent - y.Exponent + Bias;
    std::uint64_t high = x.Mantissa;
    std::uint64_t low = 0;
    if (x.Mantissa >= y.Mantissa) {
        low = high << 63;
        high >>= 1;
    } else {
        --exponent;
    }
    const TQuotient first = DivideWide(high, low, y.Mantissa);
    const TQuotient second = DivideWide(first.Remainder, 0, y.Mantissa);
    return RoundAndPack(negative, exponent, first.Quotient,
                        second.Quotient | (second.Remainder != 0));
}
