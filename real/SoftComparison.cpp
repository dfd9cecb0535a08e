// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftParts.h"

using namespace SoftParts;

namespace {

// Finite or infinite values in the order of the reals: for two of the same
// sign the bits' order is the magnitudes' (exponent above mantissa), reversed
// for negatives. Zeros of either sign are equal.
bool Below(TSoftExtended a, TSoftExtended b) {
    if (IsZero(a) && IsZero(b)) return false;
    if (SignOf(a) != SignOf(b)) return SignOf(a);
    const bool magnitudeBelow = ExponentOf(a) != ExponentOf(b)
                                    ? ExponentOf(a) < ExponentOf(b)
                                    : a.MantissaBits() < b.MantissaBits();
    const bool same = ExponentOf(a) == ExponentOf(b) && a.MantissaBits() == b.MantissaBits();
    return !same && magnitudeBelow != SignOf(a);
}

} // namespace

bool operator==(TSoftExtended a, TSoftExtended b) {
    if (IsNaN(a) || IsNaN(b)) return false;
    if (IsZero(a) && IsZero(b)) return true;
    return a.SignExponent == b.SignExponent && a.Mantissa == b.Mantissa;
}

bool operator<(TSoftExtended a, TSoftExtended b) {
    return !IsNaN(a) && !IsNaN(b) && Below(a, b);
}

bool operator<=(TSoftExtended a, TSoftExtended b) {
    return !IsNaN(a) && !IsNaN(b) && !Below(b, a);
}
