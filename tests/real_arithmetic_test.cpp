// SPDX-License-Identifier: GPL-3.0-or-later
// Every operation and conversion of the software extended real against the
// x87 on random operands, bit for bit.
#include "RealTesting.h"

#include "real/SoftSquareSum.h"

#include "sim/Net.h"

#include <bit>
#include <climits>
#include <cmath>
#include <functional>

namespace {

// Runs `check` on random operands under both seeds; it returns an empty
// string or what differed. The first few differences are shown.
void OnRandomOperands(const std::function<std::string(TOperands&)>& check, long long share = 1) {
    for (TSeedRun run : SeedRuns()) {
        run.Count /= share;
        TOperands operands(run.Seed);
        long long failures = 0;
        for (long long k = 0; k < run.Count; ++k) {
            const std::string difference = check(operands);
            if (difference.empty()) continue;
            if (++failures <= 5) ADD_FAILURE() << "seed " << run.Seed << ": " << difference;
        }
        EXPECT_EQ(failures, 0) << "of " << run.Count << " operands, seed " << run.Seed;
    }
}

template <class TSoftOperation, class THardOperation>
void ExpectSameResults(const char* name, TSoftOperation soft, THardOperation hard) {
    OnRandomOperands([&](TOperands& operands) -> std::string {
        const TSoftExtended a = operands.Any();
        const TSoftExtended b = operands.Near(a);
        const TSoftExtended result = soft(a, b);
        const long double judged = hard(Hard(a), Hard(b));
        if (SameBits(result, judged)) return {};
        return Hex(a) + " " + name + " " + Hex(b) + " = " + Hex(result) + ", the x87 says " +
               Hex(Soft(judged));
    });
}

TEST(SoftExtended, ArithmeticIsTheX87s) {
    ExpectSameResults("+", std::plus<TSoftExtended>(), std::plus<long double>());
    ExpectSameResults("-", std::minus<TSoftExtended>(), std::minus<long double>());
    ExpectSameResults("*", std::multiplies<TSoftExtended>(), std::multiplies<long double>());
    ExpectSameResults("/", std::divides<TSoftExtended>(), std::divides<long double>());
    ExpectSameResults(
        "neg", [](TSoftExtended a, TSoftExtended) { return -a; },
        [](long double a, long double) { return -a; });
}

// The energies' short path against the x87 doing each operation: a few
// squares and squared differences in a row, so that the sum meets terms above,
// below and far from it, ties, carries, underflow and overflow.
TEST(SoftExtended, SumsOfSquaresAreTheX87s) {
    OnRandomOperands(
        [](TOperands& operands) -> std::string {
            TSoftSquareSum soft;
            long double hard = 0;
            std::string terms;
            for (std::uint64_t k = 1 + operands.Below(6); k > 0; --k) {
                const TSoftExtended a = operands.Any();
                if (operands.Below(2)) {
                    soft.AddSquare(a);
                    hard += Hard(a) * Hard(a);
                    terms += " +" + Hex(a) + "^2";
                } else {
                    const TSoftExtended b = operands.Near(a);
                    soft.AddSquaredDifference(a, b);
                    const long double d = Hard(b) - Hard(a);
                    hard += d * d;
                    terms += " +(" + Hex(b) + "-" + Hex(a) + ")^2";
                }
            }
            if (SameBits(soft.Value(), hard)) return {};
            return terms + " = " + Hex(soft.Value()) + ", the x87 says " + Hex(Soft(hard));
        },
        4);
}

TEST(SoftExtended, ComparisonsAreTheX87s) {
    OnRandomOperands([](TOperands& operands) -> std::string {
        const TSoftExtended a = operands.Any();
        const TSoftExtended b = operands.Near(a);
        const long double x = Hard(a), y = Hard(b);
        const int soft = (a == b) | (a < b) << 1 | (a <= b) << 2 | (a > b) << 3 | (a >= b) << 4;
        const int hard = (x == y) | (x < y) << 1 | (x <= y) << 2 | (x > y) << 3 | (x >= y) << 4;
        return soft == hard ? ""
                            : Hex(a) + " vs " + Hex(b) + ": " + std::to_string(soft) +
                                  ", the x87 " + std::to_string(hard);
    });
}

TEST(SoftExtended, ConversionsAreTheX87s) {
    OnRandomOperands([](TOperands& operands) -> std::string {
        // Integers of every length, and doubles of every kind, come in exactly.
        const auto integer = static_cast<std::int64_t>(operands.Bits() >> operands.Below(64));
        const auto small = static_cast<std::int32_t>(integer);
        const auto real =
            std::bit_cast<double>(operands.Bits() >> (operands.Below(4) == 0 ? 12 : 0));
        if (!SameBits(TSoftExtended(integer), static_cast<long double>(integer)) ||
            !SameBits(TSoftExtended(small), static_cast<long double>(small)) ||
            !SameBits(TSoftExtended(real), static_cast<long double>(real))) {
            return "from " + std::to_string(integer) + " or " + std::to_string(real);
        }
        // Out, rounded to double, rounded or cut to whole numbers, floored.
        const TSoftExtended a = operands.Any();
        const long double x = Hard(a);
        const double softDouble = static_cast<double>(a), hardDouble = static_cast<double>(x);
        if (std::memcmp(&softDouble, &hardDouble, sizeof softDouble) != 0)
            return "to double " + Hex(a);
        if (llrint(a) != std::llrint(x)) return "llrint " + Hex(a);
        if (!SameBits(floor(a), std::floor(x))) return "floor " + Hex(a);
        // Cut towards zero: the x87's "integer indefinite" where the type has no room.
        const bool fits64 = x > -0x1p63L - 1 && x < 0x1p63L;
        if (static_cast<std::int64_t>(a) != (fits64 ? static_cast<std::int64_t>(x) : INT64_MIN))
            return "int64 " + Hex(a);
        const bool fits32 = x > -0x1p31L - 1 && x < 0x1p31L;
        if (static_cast<std::int32_t>(a) != (fits32 ? static_cast<std::int32_t>(x) : INT32_MIN))
            return "int32 " + Hex(a);
        return {};
    });
}

std::string PrintedByC(long double value) {
    char text[5000];
    std::snprintf(text, sizeof text, "%.2Lf", value);
    return text;
}

// A tenth as many: printf takes microseconds, milliseconds for the largest numbers.
TEST(SoftExtended, TwoDecimalsAreprintfs) {
    OnRandomOperands(
        [](TOperands& operands) -> std::string {
            // Mostly where the digits after the point matter; one in a thousand anywhere.
            TSoftExtended a = operands.Any();
            const int exponent = a.SignExponentBits() & 0x7FFF;
            if (operands.Below(1000) != 0 && exponent > 16383 + 64 && exponent < 0x7FFF) {
                a = TSoftExtended::FromBits(
                    static_cast<std::uint16_t>(a.SignExponentBits() - exponent + 16383 + 60),
                    a.MantissaBits());
            }
            const std::string soft = TwoDecimals(a), judged = PrintedByC(Hard(a));
            return soft == judged ? "" : Hex(a) + ": " + soft + ", printf " + judged;
        },
        10);
}

// Each frequency slider position as the window shows it: Omega / 2 pi.
TEST(SoftExtended, FrequencyDisplayIsTheX87s) {
    for (int position = 0; position <= 1505; ++position) {
        const long double frequency = OmegaFromPosition(position) / TwoPi;
        const TSoftExtended soft = TSoftExtended(position) * Soft(0.01L) / Soft(TwoPi);
        ASSERT_TRUE(SameBits(soft, frequency)) << position;
        ASSERT_EQ(TwoDecimals(soft), PrintedByC(frequency)) << position;
    }
}

} // namespace
