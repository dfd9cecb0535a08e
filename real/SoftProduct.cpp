// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftParts.h"
#include "real/WideArithmetic.h"

using namespace SoftParts;

// The product's sign is the operands' exclusive or, zeros' and infinities'
// included; zero times infinity has none.
TSoftExtended operator*(TSoftExtended a, TSoftExtended b) {
    const bool negative = SignOf(a) != SignOf(b);
    if (IsNaN(a) || IsNaN(b)) return PropagateNaN(a, b);
    if (IsInfinite(a) || IsInfinite(b)) {
        return IsZero(a) || IsZero(b) ? RealIndefinite() : Infinity(negative);
    }
    if (IsZero(a) || IsZero(b)) return Zero(negative);
    const TUnpacked x = Normalized(a);
    const TUnpacked y = Normalized(b);
    // Two mantissas in [2^63, 2^64) make a product in [2^126, 2^128): its top
    // bit is at 127 or 126, the latter shifted up by one.
    TWide product = MultiplyWide(x.Mantissa, y.Mantissa);
    int exponent = x.Exponent + y.Exponent - Bias + 1;
    if (!(product.High >> 63)) {
        product.High = product.High << 1 | product.Low >> 63;
        product.Low <<= 1;
        --exponent;
    }
    return RoundAndPack(negative, exponent, product.High, product.Low);
}
