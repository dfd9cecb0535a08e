// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"

#include <cstdint>
#include <cstring>

// Moving an 80-bit extended between memory and the FPU takes several times as
// long as moving a double on current processors. Where a double holds the value
// exactly, these two move it with integer operations and a double instead;
// the values, and so every result computed from them, are the same.
//
// In memory an extended is a 64-bit mantissa with its integer bit written out,
// then 16 bits of sign and exponent (bias 16383); a double has 52 bits of
// fraction after an implied integer bit, 11 bits of exponent (bias 1023) and
// the sign.

// Reads `value` into `exact` when a double holds it exactly (zero, and normal
// doubles); false otherwise, e.g. for a value with more than 53 significant bits.
[[gnu::always_inline]] inline bool ReadExactDouble(const Extended& value, double& exact) {
    std::uint64_t mantissa = 0;
    std::uint16_t signExponent = 0;
    std::memcpy(&mantissa, &value, sizeof mantissa);
    std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&value) + 8, sizeof signExponent);
    const std::uint64_t sign = std::uint64_t{signExponent} >> 15 << 63;
    const int exponent = (signExponent & 0x7FFF) - 16383;
    std::uint64_t bits = 0;
    if (mantissa == 0 && (signExponent & 0x7FFF) == 0) {
        bits = sign;
    } else if (exponent >= -1022 && exponent <= 1023 && (mantissa >> 63) != 0 &&
               (mantissa & 0x7FF) == 0) {
        bits = sign | static_cast<std::uint64_t>(exponent + 1023) << 52 | (mantissa << 1 >> 12);
    } else {
        return false;
    }
    std::memcpy(&exact, &bits, sizeof exact);
    return true;
}

// target = value, written with integer operations for zero and normal doubles.
[[gnu::always_inline]] inline void WriteDouble(Extended& target, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const auto exponent = static_cast<int>(bits >> 52 & 0x7FF);
    const auto sign = static_cast<std::uint16_t>(bits >> 63 << 15);
    std::uint64_t mantissa = 0;
    std::uint16_t signExponent = sign;
    if (exponent == 0 && (bits << 1) == 0) {
        // a zero: all of the mantissa and exponent 0
    } else if (exponent != 0 && exponent != 0x7FF) {
        mantissa = std::uint64_t{1} << 63 | (bits << 12 >> 1);
        signExponent = static_cast<std::uint16_t>(sign | (exponent - 1023 + 16383));
    } else {
        target = value; // subnormal, infinite or not a number: the FPU knows best
        return;
    }
    std::memcpy(&target, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<unsigned char*>(&target) + 8, &signExponent, sizeof signExponent);
}
