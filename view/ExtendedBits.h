// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "view/X86Paths.h"

#include <cstdint>
#include <cstring>

// Neither zero, subnormal, infinite nor not a number: its exponent field is
// neither all zeros nor all ones.
[[gnu::always_inline]] inline bool IsNormal(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits >> 52 & 0x7FF) - 1 < 0x7FE;
}

// target = value. Storing an 80-bit extended from the FPU takes several times
// as long as storing a double on current processors; for a normal double the
// extended's bytes are made with integer operations instead, giving the same
// ten bytes. In memory an extended is a 64-bit mantissa with its integer bit
// written out, then 16 bits of sign and exponent (bias 16383); a double has
// 52 bits of fraction after an implied integer bit, 11 bits of exponent (bias
// 1023) and the sign.
[[gnu::always_inline]] inline void WriteDouble(Extended& target, double value) {
#ifndef WOGENFELD_X86_VIEW
    target = static_cast<Extended>(value); // the software real's conversion is such integer work
#else
    if (!IsNormal(value)) {
        target = value; // zero, subnormal, infinite or not a number: the FPU
        return;
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const std::uint64_t exponent = bits >> 52 & 0x7FF;
    const std::uint64_t mantissa = bits << 11 | std::uint64_t{1} << 63;
    const auto signExponent =
        static_cast<std::uint16_t>((bits >> 48 & 0x8000) | (exponent + 16383 - 1023));
    std::memcpy(&target, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<unsigned char*>(&target) + 8, &signExponent, sizeof signExponent);
#endif
}
