// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The software extended real beside the x87's long double, the judge: the
// same ten bytes either way, and random operands that reach the corners of
// the arithmetic.

#include "real/SoftExtended.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

inline long double Hard(TSoftExtended value) {
    long double hard = 0;
    const std::uint64_t mantissa = value.MantissaBits();
    const std::uint16_t signExponent = value.SignExponentBits();
    std::memcpy(&hard, &mantissa, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&hard) + 8, &signExponent, 2);
    return hard;
}

inline TSoftExtended Soft(long double hard) {
    std::uint64_t mantissa = 0;
    std::uint16_t signExponent = 0;
    std::memcpy(&mantissa, &hard, 8);
    std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&hard) + 8, 2);
    return TSoftExtended::FromBits(signExponent, mantissa);
}

inline bool SameBits(TSoftExtended soft, long double hard) {
    const TSoftExtended judged = Soft(hard);
    return soft.SignExponentBits() == judged.SignExponentBits() &&
           soft.MantissaBits() == judged.MantissaBits();
}

inline std::string Hex(TSoftExtended value) {
    char text[32];
    std::snprintf(text, sizeof text, "%04x:%016llx", value.SignExponentBits(),
                  static_cast<unsigned long long>(value.MantissaBits()));
    return text;
}

// Operands per operation: ten million, fewer under the sanitizers.
#ifdef WOGENFELD_SANITIZE
inline constexpr long long OperandCount = 200'000;
#else
inline constexpr long long OperandCount = 10'000'000;
#endif

// A fixed seed, so that a failure can be repeated, then one new to every run
// (WOGENFELD_SOFT_SEED chooses it), so that the runs together try more.
inline std::uint64_t RunSeed() {
    if (const char* chosen = std::getenv("WOGENFELD_SOFT_SEED"))
        return std::strtoull(chosen, nullptr, 0);
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}
struct TSeedRun {
    std::uint64_t Seed;
    long long Count;
};
inline std::array<TSeedRun, 2> SeedRuns() {
    return {{{20261208, OperandCount}, {RunSeed(), OperandCount / 5}}};
}

// Random extended reals, weighted towards what rounding and special cases
// turn on: zeros of both signs, subnormals, the lowest and highest exponents,
// mantissas of few bits (whose sums and products fall on ties), mantissas
// near all ones (which carry across the integer bit), infinities and NaNs;
// and second operands near the first (cancellation, close exponents).
class TOperands {
  public:
    explicit TOperands(std::uint64_t seed) : Random(seed) {}

    TSoftExtended Any() { return Make(Exponent(), Bits() & 1); }

    // An operand for `a`'s partner: independent, at a nearby exponent, or a
    // few units away from it.
    TSoftExtended Near(TSoftExtended a) {
        const int exponent = a.SignExponentBits() & 0x7FFF;
        switch (Below(4)) {
        case 0:
            return Any();
        case 1: {
            const int shifted = exponent + static_cast<int>(Below(141)) - 70;
            return Make(shifted < 0 || shifted > 0x7FFE ? Exponent() : shifted, Bits() & 1);
        }
        case 2: {
            // The integer bit stays as the exponent needs it: set but in subnormals.
            constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
            const std::uint64_t fraction = (a.MantissaBits() + Below(9) - 4) & ~IntegerBit;
            return TSoftExtended::FromBits(
                static_cast<std::uint16_t>(a.SignExponentBits() ^ (Bits() & 0x8000)),
                fraction | (exponent != 0 ? IntegerBit : 0));
        }
        default:
            return Make(exponent, Bits() & 1);
        }
    }

    std::uint64_t Bits() { return Random(); }
    std::uint64_t Below(std::uint64_t bound) { return Random() % bound; }

  private:
    int Exponent() {
        switch (Below(16)) {
        case 0:
            return 0; // zero or subnormal
        case 1:
            return 1 + static_cast<int>(Below(70)); // lowest
        case 2:
            return 0x7FFE - static_cast<int>(Below(70)); // highest
        case 3:
            return Below(32) == 0
                       ? 0x7FFF
                       : 16383 + static_cast<int>(Below(2200)) - 1100; // special; double's range
        default:
            return 16383 + static_cast<int>(Below(160)) - 80;
        }
    }

    std::uint64_t Mantissa() {
        const std::uint64_t bits = Bits();
        switch (Below(6)) {
        case 0:
            return ~std::uint64_t{0} - Below(4); // carries
        case 1:
            return std::uint64_t{1} << 63 | Below(4); // 1.0 and just above
        case 2:
            return (bits | 1) << (63 - Below(40)) | std::uint64_t{1} << 63; // few bits: ties
        default:
            return bits | std::uint64_t{1} << 63;
        }
    }

    TSoftExtended Make(int exponent, bool negative) {
        std::uint64_t mantissa = Mantissa();
        if (exponent == 0)
            mantissa = Below(4) == 0 ? 0 : mantissa >> (1 + Below(63)); // zero or subnormal
        if (exponent == 0x7FFF)
            mantissa =
                Below(3) == 0 ? std::uint64_t{1} << 63 : mantissa | Bits() >> 2; // infinity or NaN
        return TSoftExtended::FromBits(
            static_cast<std::uint16_t>((negative ? 0x8000 : 0) | exponent), mantissa);
    }

    std::mt19937_64 Random;
};
