// SPDX-License-Identifier: GPL-3.0-or-later
// Each operation of the software extended real beside the x87's, on the same
// operands (normal numbers of the sizes a pass sees, and phases of a run),
// and the 64 x 64 -> 128-bit multiply made of 32-bit halves beside the
// compiler's 128-bit one.
#include "real/SoftExtended.h"
#include "real/WideArithmetic.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace {

constexpr std::size_t Count = 1024;

struct TOperands {
    std::array<long double, Count> Hard;
    std::array<TSoftExtended, Count> Soft;
};

// Values from 1/1000 to 1000 of either sign, or phases up to 2.6e5.
const TOperands& Operands(bool phases) {
    static const auto make = [](bool large) {
        TOperands operands;
        std::mt19937_64 random(2026);
        std::uniform_real_distribution<double> exponent(-10, 10), phase(0, 2.6e5);
        for (std::size_t k = 0; k < Count; ++k) {
            long double value =
                large ? phase(random) : std::exp2(exponent(random)) * (k % 2 ? -1 : 1);
            value *=
                1 + static_cast<long double>(random()) * 0x1p-70L; // all 64 mantissa bits in use
            operands.Hard[k] = value;
            std::uint64_t mantissa = 0;
            std::uint16_t signExponent = 0;
            std::memcpy(&mantissa, &value, 8);
            std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&value) + 8, 2);
            operands.Soft[k] = TSoftExtended::FromBits(signExponent, mantissa);
        }
        return operands;
    };
    static const TOperands small = make(false), large = make(true);
    return phases ? large : small;
}

template <class TReal, class TOperation>
void Run(benchmark::State& state, const std::array<TReal, Count>& values, TOperation operation) {
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(operation(values[k], values[(k + 1) % Count]));
        k = (k + 1) % Count;
    }
}

#define SIDE_BY_SIDE(name, phases, expression)                                                     \
    void Soft##name(benchmark::State& state) {                                                     \
        Run(state, Operands(phases).Soft,                                                          \
            [](TSoftExtended a, [[maybe_unused]] TSoftExtended b) { return expression; });         \
    }                                                                                              \
    void Hard##name(benchmark::State& state) {                                                     \
        Run(state, Operands(phases).Hard,                                                          \
            [](long double a, [[maybe_unused]] long double b) { return expression; });             \
    }                                                                                              \
    BENCHMARK(Soft##name);                                                                         \
    BENCHMARK(Hard##name);

// The C library's names for the x87 side, so that one expression serves both.
[[maybe_unused]] long double sin(long double x) {
    return sinl(x);
}
[[maybe_unused]] long double cos(long double x) {
    return cosl(x);
}
[[maybe_unused]] std::int64_t llrint(long double x) {
    return std::llrint(x);
}

SIDE_BY_SIDE(Add, false, a + b)
SIDE_BY_SIDE(Subtract, false, a - b)
SIDE_BY_SIDE(Multiply, false, a* b)
SIDE_BY_SIDE(Divide, false, a / b)
SIDE_BY_SIDE(Less, false, a < b)
SIDE_BY_SIDE(ToDouble, false, static_cast<double>(a))
SIDE_BY_SIDE(DoubleAndBack, false, decltype(a)(static_cast<double>(a)))
SIDE_BY_SIDE(RoundToInt64, true, llrint(a))
SIDE_BY_SIDE(Sine, true, sin(a))
SIDE_BY_SIDE(Cosine, true, cos(a))

// Each product feeds the next operand, so that the multiplies cannot overlap.
template <TWide (*Multiply)(std::uint64_t, std::uint64_t)>
void WideMultiply(benchmark::State& state) {
    std::uint64_t a = 0x9E37'79B9'7F4A'7C15;
    const std::uint64_t b = 0xD1B5'4A32'D192'ED03;
    for (auto _ : state) {
        TWide product = Multiply(a, b);
        benchmark::DoNotOptimize(product);
        a += product.Low | 1;
    }
}
BENCHMARK(WideMultiply<MultiplyByHalves>)->Name("WideMultiplyByHalves");
#ifdef __SIZEOF_INT128__
BENCHMARK(WideMultiply<MultiplyNatively>)->Name("WideMultiplyNatively");
#endif

} // namespace

BENCHMARK_MAIN();
