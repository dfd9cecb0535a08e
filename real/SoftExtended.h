// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <concepts>
#include <cstdint>
#include <string>

// An 80-bit extended real computed in software, for machines without the
// x87: the same ten bytes in memory (a 64-bit mantissa with its integer bit
// written out, then 15 bits of exponent biased by 16383 and the sign), and
// the same results, bit for bit, as the x87 in its default mode: round to
// nearest with ties to even at 64 bits, subnormals, signed zeros, infinities
// and its "real indefinite" NaN for invalid operations.
class TSoftExtended {
  public:
    constexpr TSoftExtended() = default;
    // Exact, as every integer of up to 64 bits is.
    template <std::signed_integral TInteger>
    constexpr TSoftExtended(TInteger value) : TSoftExtended(FromInt64(value)) {}
    constexpr TSoftExtended(double value) : TSoftExtended(FromDouble(value)) {}
    // Would go by way of a double and lose bits without a word.
    TSoftExtended(long double) = delete;

    static constexpr TSoftExtended FromBits(std::uint16_t signExponent, std::uint64_t mantissa) {
        TSoftExtended value;
        value.Mantissa = mantissa;
        value.SignExponent = signExponent;
        return value;
    }
    constexpr std::uint64_t MantissaBits() const { return Mantissa; }
    constexpr std::uint16_t SignExponentBits() const { return SignExponent; }

    // Rounded to nearest, ties to even, as the x87 stores a double.
    explicit operator double() const;
    // Cut towards zero; no such integer, or no number, gives the x87's
    // "integer indefinite", the smallest integer of the type.
    explicit operator std::int64_t() const;
    explicit operator std::int32_t() const;

    constexpr TSoftExtended operator-() const { return FromBits(SignExponent ^ 0x8000, Mantissa); }
    TSoftExtended& operator+=(TSoftExtended other) { return *this = *this + other; }
    TSoftExtended& operator-=(TSoftExtended other) { return *this = *this - other; }
    TSoftExtended& operator*=(TSoftExtended other) { return *this = *this * other; }
    TSoftExtended& operator/=(TSoftExtended other) { return *this = *this / other; }

    friend TSoftExtended operator+(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator-(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator*(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator/(TSoftExtended a, TSoftExtended b);

    // IEEE comparisons: a NaN is unordered, equal to nothing, itself included.
    friend bool operator==(TSoftExtended a, TSoftExtended b);
    friend bool operator<(TSoftExtended a, TSoftExtended b);
    friend bool operator<=(TSoftExtended a, TSoftExtended b);
    friend bool operator>(TSoftExtended a, TSoftExtended b) { return b < a; }
    friend bool operator>=(TSoftExtended a, TSoftExtended b) { return b <= a; }

  private:
    static constexpr TSoftExtended FromInt64(std::int64_t value) {
        if (value == 0) return {};
        const int sign = value < 0 ? 0x8000 : 0;
        std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        int shift = 0;
        while (!(magnitude >> 63)) {
            magnitude <<= 1;
            ++shift;
        }
        return FromBits(static_cast<std::uint16_t>(sign | (16383 + 63 - shift)), magnitude);
    }

    // Every double is an extended: the fraction moves up past the written-out
    // integer bit; a subnormal double becomes a normal extended. A NaN keeps
    // its payload and comes out quiet.
    static constexpr TSoftExtended FromDouble(double value) {
        // The compilers' own bit cast: the C++ library of Debian 12's Emscripten has no
        // std::bit_cast.
        const auto bits = __builtin_bit_cast(std::uint64_t, value);
        const int sign = bits >> 63 ? 0x8000 : 0;
        const int exponent = static_cast<int>(bits >> 52 & 0x7FF);
        const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
        constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
        const auto make = [sign](int biased, std::uint64_t mantissa) {
            return FromBits(static_cast<std::uint16_t>(sign | biased), mantissa);
        };
        if (exponent == 0x7FF) {
            return make(0x7FFF,
                        fraction == 0 ? IntegerBit : IntegerBit | IntegerBit >> 1 | fraction << 11);
        }
        if (exponent != 0) return make(exponent - 1023 + 16383, IntegerBit | fraction << 11);
        if (fraction == 0) return make(0, 0);
        // fraction * 2^-1074, shifted up until its top bit is the integer bit.
        const int shift = std::countl_zero(fraction);
        return make(16383 + 63 - 1074 - shift, fraction << shift);
    }

    std::uint64_t Mantissa = 0;
    std::uint16_t SignExponent = 0;
};

// Laid out as long double on x86-64, so that a node of four keeps its size.
static_assert(sizeof(TSoftExtended) == 16);

// The whole number nearest, ties to even, as llrint in the default mode;
// none in 64 bits, or no number, gives the smallest 64-bit integer.
std::int64_t llrint(TSoftExtended value);
// The largest whole number not above the value, as floorl.
TSoftExtended floor(TSoftExtended value);
// The digits printf's "%.2Lf" makes of the same ten bytes.
std::string TwoDecimals(TSoftExtended value);
// glibc's sinl and cosl of x86-64, bit for bit.
TSoftExtended sin(TSoftExtended value);
TSoftExtended cos(TSoftExtended value);
