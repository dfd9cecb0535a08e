// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "real/SoftExtended.h"
#include "real/SoftMagnitudes.h"
#include "real/SoftRoundingSteps.h"
#include "real/WideArithmetic.h"

// A running sum of squares in software reals: sum += x * x, or
// sum += d * d with d = b - a, every operation rounded as the x87 rounds it,
// the same bits as those operations written out. About twice as fast for
// the net's thousands of squares a pass: a term is never negative, so the
// sum never cancels and the signs drop out; a normal operand takes a short
// path on its bare mantissa, anything else the general operations. Inline,
// so that the sums stay in registers through the loop.
class TSoftSquareSum {
  public:
    void AddSquare(TSoftExtended x);
    void AddSquaredDifference(TSoftExtended a, TSoftExtended b);
    TSoftExtended Value() const { return Sum; }

  private:
    TSoftExtended Sum; // +0
};

namespace SoftParts {

// Normal: neither zero, subnormal, infinite nor NaN, the integer bit set.
inline bool IsNormal(TSoftExtended value) {
    const int exponent = ExponentOf(value);
    return exponent != 0 && exponent != MaxExponent && value.MantissaBits() >> 63;
}

// |x| * |x| for a normal x, rounded; false where the square is not normal
// (it would underflow or overflow), which the general product then makes.
inline bool NormalSquare(TSoftExtended x, TUnpacked& square) {
    TWide product = SquareWide(x.MantissaBits());
    int exponent = 2 * ExponentOf(x) - Bias + 1;
    if (!(product.High >> 63)) {
        product.High = product.High << 1 | product.Low >> 63;
        product.Low <<= 1;
        --exponent;
    }
    const TRounded r = Steps::ShiftRightRounded(product.High, product.Low, 0);
    square = r.Carry ? TUnpacked{exponent + 1, IntegerBit} : TUnpacked{exponent, r.Value};
    return square.Exponent >= 1 && square.Exponent < MaxExponent;
}

} // namespace SoftParts

inline void TSoftSquareSum::AddSquare(TSoftExtended x) {
    using namespace SoftParts;
    // A zero's square adds +0, which leaves a sum of squares as it is.
    if (IsZero(x)) return;
    TUnpacked square;
    if (!IsNormal(x) || !NormalSquare(x, square)) {
        Sum = Sum + x * x;
    } else if (IsZero(Sum)) {
        Sum = Pack(false, square.Exponent, square.Mantissa);
    } else if (IsNormal(Sum)) {
        const TUnrounded sum = AddMagnitudes(false, {ExponentOf(Sum), Sum.MantissaBits()}, square);
        Sum = Steps::RoundAndPack(false, sum.Exponent, sum.High, sum.Low);
    } else {
        Sum = Sum + Pack(false, square.Exponent, square.Mantissa);
    }
}

inline void TSoftSquareSum::AddSquaredDifference(TSoftExtended a, TSoftExtended b) {
    using namespace SoftParts;
    if (!IsNormal(a) || !IsNormal(b)) {
        AddSquare(b - a);
        return;
    }
    // Rounding to nearest is symmetric, so |b - a| is the rounded difference
    // of the magnitudes, or their rounded sum where the signs differ.
    const TUnpacked x{ExponentOf(a), a.MantissaBits()};
    const TUnpacked y{ExponentOf(b), b.MantissaBits()};
    if (SignOf(a) == SignOf(b)) {
        const TUnrounded d = SubtractMagnitudes(false, y, x);
        AddSquare(Steps::NormalizeRoundAndPack(false, d.Exponent, d.High, d.Low));
    } else {
        const TUnrounded d = AddMagnitudes(false, y, x);
        AddSquare(Steps::RoundAndPack(false, d.Exponent, d.High, d.Low));
    }
}
