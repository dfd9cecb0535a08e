// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftParts.h"

#include <bit>
#include <limits>

using namespace SoftParts;

namespace {

constexpr int DoubleBias = 1023;
constexpr std::uint64_t DoubleFraction = (std::uint64_t{1} << 52) - 1;

double DoubleFromBits(bool negative, std::uint64_t exponent, std::uint64_t fraction) {
    // As in FromDouble: no std::bit_cast in the C++ library of Debian 12's Emscripten.
    return __builtin_bit_cast(double, std::uint64_t{negative} << 63 | exponent << 52 | fraction);
}

// The value's whole part as a magnitude, cut towards zero; `fits` false when
// it needs more than 64 bits. Finite values only.
std::uint64_t WholeMagnitude(TSoftExtended value, bool& fits) {
    fits = true;
    if (IsZero(value)) return 0;
    const TUnpacked u = Normalized(value);
    const int shift = Bias + 63 - u.Exponent;
    if (shift < 0) {
        fits = false;
        return 0;
    }
    return shift >= 64 ? 0 : u.Mantissa >> shift;
}

// The x87's answer when an integer cannot hold the value: the type's smallest.
template <class TInteger> TInteger Truncated(TSoftExtended value) {
    constexpr TInteger Indefinite = std::numeric_limits<TInteger>::min();
    if (ExponentOf(value) == MaxExponent) return Indefinite;
    bool fits = false;
    const std::uint64_t magnitude = WholeMagnitude(value, fits);
    const auto limit = static_cast<std::uint64_t>(std::numeric_limits<TInteger>::max());
    if (!fits || magnitude > limit + SignOf(value)) return Indefinite;
    return static_cast<TInteger>(SignOf(value) ? 0 - magnitude : magnitude);
}

} // namespace

// 64 bits rounded to 53 (fewer for a subnormal double), the one rounding to
// nearest with ties to even; too large for a double is an infinity. A NaN
// keeps the top of its payload and comes out quiet.
TSoftExtended::operator double() const {
    const bool negative = SignOf(*this);
    if (ExponentOf(*this) == MaxExponent) {
        if (IsInfinite(*this)) return DoubleFromBits(negative, 0x7FF, 0);
        return DoubleFromBits(negative, 0x7FF,
                              (Mantissa >> 11 & DoubleFraction) | std::uint64_t{1} << 51);
    }
    if (IsZero(*this)) return DoubleFromBits(negative, 0, 0);
    const TUnpacked u = Normalized(*this);
    const int exponent = u.Exponent - Bias + DoubleBias;
    if (exponent >= 1) {
        const TRounded r = ShiftRightRounded(u.Mantissa, 0, 11);
        // Rounding up to 2^53 is 1.0 of the next binade.
        const int rounded = exponent + static_cast<int>(r.Value >> 53);
        if (rounded >= 0x7FF) return DoubleFromBits(negative, 0x7FF, 0);
        return DoubleFromBits(negative, static_cast<std::uint64_t>(rounded),
                              r.Value & DoubleFraction);
    }
    // Subnormal: rounded at the double's lowest exponent; it may round up
    // into the normal doubles, which the carry into the exponent field gives.
    const TRounded r = ShiftRightRounded(u.Mantissa, 0, 11 + 1 - exponent);
    return DoubleFromBits(negative, 0, r.Value);
}

TSoftExtended::operator std::int64_t() const {
    return Truncated<std::int64_t>(*this);
}
TSoftExtended::operator std::int32_t() const {
    return Truncated<std::int32_t>(*this);
}

std::int64_t llrint(TSoftExtended value) {
    constexpr std::int64_t Indefinite = std::numeric_limits<std::int64_t>::min();
    if (ExponentOf(value) == MaxExponent) return Indefinite;
    if (IsZero(value)) return 0;
    const TUnpacked u = Normalized(value);
    const int shift = Bias + 63 - u.Exponent;
    if (shift < 0) return Indefinite;
    const TRounded r = ShiftRightRounded(u.Mantissa, 0, shift);
    const auto limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + SignOf(value);
    if (r.Carry || r.Value > limit) return Indefinite;
    return static_cast<std::int64_t>(SignOf(value) ? 0 - r.Value : r.Value);
}

// The fraction's bits are cleared; a negative value with any of them set
// goes one further down. Zeros, infinities and values without a fraction
// stay as they are, a NaN comes out quiet.
TSoftExtended floor(TSoftExtended value) {
    if (IsNaN(value)) return PropagateNaN(value, value);
    if (ExponentOf(value) == MaxExponent || IsZero(value)) return value;
    const bool negative = SignOf(value);
    const int exponent = ExponentOf(value);
    const int fractionBits = Bias + 63 - exponent;
    if (fractionBits <= 0) return value;
    if (fractionBits >= 64) return negative ? TSoftExtended(-1) : Zero(false);
    const std::uint64_t fraction = (std::uint64_t{1} << fractionBits) - 1;
    const std::uint64_t whole = value.MantissaBits() & ~fraction;
    if (!negative || (value.MantissaBits() & fraction) == 0) return Pack(negative, exponent, whole);
    // One more below: the whole part's magnitude plus one unit, which may
    // carry into a new binade.
    const std::uint64_t unit = fraction + 1;
    const std::uint64_t larger = whole + unit;
    if (larger == 0) return Pack(true, exponent + 1, IntegerBit);
    return Pack(true, exponent, larger);
}
