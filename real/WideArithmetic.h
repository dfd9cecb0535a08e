// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The 128-bit products and quotients of the multiplication and division.
// WebAssembly has no 64 x 64 -> 128-bit multiply (its compilers make
// unsigned __int128 products a call into their runtime), so the products are
// made of 32-bit halves, four 32 x 32 -> 64-bit multiplies, unless
// WOGENFELD_SOFT_NATIVE_WIDE_MULTIPLY asks for the compiler's 128-bit type
// (one MUL on x86-64).
struct TWide {
    std::uint64_t High;
    std::uint64_t Low;
};

inline TWide MultiplyByHalves(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t aLow = a & 0xFFFF'FFFF, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFF'FFFF, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t highHigh = aHigh * bHigh;
    // The middle column: at most three 32-bit numbers, so no carry is lost.
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFF'FFFF) + (highLow & 0xFFFF'FFFF);
    return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            middle << 32 | (lowLow & 0xFFFF'FFFF)};
}

// a * a: the two cross products are one, so three multiplies.
inline TWide SquareByHalves(std::uint64_t a) {
    const std::uint64_t low = a & 0xFFFF'FFFF, high = a >> 32;
    const std::uint64_t lowLow = low * low;
    const std::uint64_t cross = low * high;
    const std::uint64_t highHigh = high * high;
    // Twice the cross product, 2^32 up: 2^33 times it, split at bit 64.
    const std::uint64_t crossLow = cross << 33;
    const std::uint64_t resultLow = lowLow + crossLow;
    return {highHigh + (cross >> 31) + (resultLow < lowLow), resultLow};
}

#ifdef __SIZEOF_INT128__
inline TWide MultiplyNatively(std::uint64_t a, std::uint64_t b) {
    __extension__ using TUint128 = unsigned __int128;
    const TUint128 product = static_cast<TUint128>(a) * b;
    return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
}
#endif

inline TWide MultiplyWide(std::uint64_t a, std::uint64_t b) {
#ifdef WOGENFELD_SOFT_NATIVE_WIDE_MULTIPLY
    return MultiplyNatively(a, b);
#else
    return MultiplyByHalves(a, b);
#endif
}

inline TWide SquareWide(std::uint64_t a) {
#ifdef WOGENFELD_SOFT_NATIVE_WIDE_MULTIPLY
    return MultiplyNatively(a, a);
#else
    return SquareByHalves(a);
#endif
}

// (high, low) / divisor and its remainder, for high < divisor and a divisor
// with its top bit set, so that the quotient fits 64 bits: long division in
// two 32-bit digits, each estimated from the divisor's top half and corrected
// (at most twice), as in Knuth's algorithm D. 64-bit divides only, which
// WebAssembly has.
struct TQuotient {
    std::uint64_t Quotient;
    std::uint64_t Remainder;
};
inline TQuotient DivideWide(std::uint64_t high, std::uint64_t low, std::uint64_t divisor) {
    constexpr std::uint64_t Base = std::uint64_t{1} << 32;
    const std::uint64_t divisorHigh = divisor >> 32, divisorLow = divisor & 0xFFFF'FFFF;
    // One digit of the quotient of (remainder, next digit) by the divisor;
    // remainder < divisor on entry and on return.
    const auto digit = [&](std::uint64_t& remainder, std::uint64_t next) {
        std::uint64_t estimate = remainder / divisorHigh;
        std::uint64_t rest = remainder % divisorHigh;
        while (estimate >= Base || estimate * divisorLow > (rest << 32 | next)) {
            --estimate;
            rest += divisorHigh;
            if (rest >= Base) break;
        }
        remainder = (remainder << 32 | next) - estimate * divisor;
        return estimate;
    };
    std::uint64_t remainder = high;
    const std::uint64_t first = digit(remainder, low >> 32);
    const std::uint64_t second = digit(remainder, low & 0xFFFF'FFFF);
    return {first << 32 | second, remainder};
}
