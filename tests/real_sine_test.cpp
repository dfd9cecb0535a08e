// SPDX-License-Identifier: GPL-3.0-or-later
// The software sine and cosine against glibc's sinl and cosl, bit for bit,
// at every argument the program gives them and at random ones across the
// drive's whole range.
#include "RealTesting.h"

#include "sim/BoundaryMode.h"
#include "sim/Net.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Counts the arguments whose sine or cosine differs; the first few are shown.
class TSineJudge {
  public:
    void Check(long double x) {
        const TSoftExtended soft = Soft(x);
        ++Count;
        const bool sameSine = SameBits(sin(soft), sinl(x));
        const bool sameCosine = SameBits(cos(soft), cosl(x));
        if (sameSine && sameCosine) return;
        if (++Failures <= 5) {
            ADD_FAILURE() << (sameSine ? "cos " : "sin ") << Hex(soft) << " = "
                          << Hex(sameSine ? cos(soft) : sin(soft)) << ", glibc says "
                          << Hex(Soft(sameSine ? cosl(x) : sinl(x)));
        }
    }
    ~TSineJudge() { EXPECT_EQ(Failures, 0) << "of " << Count << " arguments"; }

  private:
    long long Count = 0;
    long long Failures = 0;
};

// The drive's phase Omega * SimTime, pass by pass, SimTime summed as the run does.
void CheckPhases(TSineJudge& judge, int position, long double timeStep, int passes) {
    const long double omega = OmegaFromPosition(position);
    long double time = 0;
    for (int pass = 0; pass < passes; ++pass) {
        judge.Check(omega * time);
        time = time + timeStep;
    }
}

// The time steps of the boundary modes, with and without the cross grid.
std::array<long double, 4> TimeSteps() {
    const long double damped = BoundaryValues(BoundaryMode::DampedBorder).BaseTimeStep;
    const long double loose = BoundaryValues(BoundaryMode::LooseEnd).BaseTimeStep;
    return {damped, damped * 1.5L, loose, loose * 1.5L};
}

// The largest phase a run of a million passes reaches: the highest frequency
// with the longest time step.
long double LargestPhase() {
    long double time = 0;
    for (int pass = 0; pass < 1'000'000; ++pass)
        time = time + BoundaryValues(BoundaryMode::DampedBorder).BaseTimeStep * 1.5L;
    return OmegaFromPosition(1505) * time;
}

// The first 2,000 passes of every tenth slider position (the examples'
// among them), with each time step; the first 100 of every position.
TEST(SoftSine, DrivePhasesOfTwoThousandPasses) {
    TSineJudge judge;
    for (const long double step : TimeSteps()) {
        for (int position = 0; position <= 1505; ++position) {
            CheckPhases(judge, position, step, position % 10 == 0 ? 2000 : 100);
        }
    }
}

// A rotation bar's angle goes to the turn as a double, either sign.
TEST(SoftSine, RotationBarAngles) {
    TSineJudge judge;
    for (int position = -180; position <= 180; ++position) {
        const long double angle = static_cast<long double>(position) * Pi / 180.0L;
        judge.Check(static_cast<double>(angle));
        judge.Check(static_cast<double>(-angle));
    }
}

TEST(SoftSine, RandomPhasesUpToARunOfAMillionPasses) {
    const long double largest = LargestPhase();
    const int top = Soft(largest).SignExponentBits();
    for (const TSeedRun run : SeedRuns()) {
        SCOPED_TRACE("seed " + std::to_string(run.Seed));
        TOperands operands(run.Seed);
        TSineJudge judge;
        for (long long k = 0; k < run.Count; ++k) {
            // Exponents from the top down to 2^-70; mantissas of every pattern.
            const auto exponent = static_cast<std::uint16_t>(
                top - static_cast<int>(operands.Below(k % 4 == 0 ? 90 : 20)));
            const long double x =
                Hard(TSoftExtended::FromBits(exponent, operands.Bits() | std::uint64_t{1} << 63));
            judge.Check(x <= largest ? x : x - largest);
        }
    }
}

TEST(SoftSine, EdgesOfTheArgument) {
    TSineJudge judge;
    for (const long double x :
         {0.0L, -0.0L, 0x1p-16445L, -0x1p-16400L, 0x1p-16382L, 0x1p-34L, 0x1p-33L,
          -0x1.fffffffffffffffep-34L, 0.1484375L, 0.14843749999999999999L}) {
        judge.Check(x);
    }
    // Around the largest argument that needs no reduction, and near pi/4, pi/2 and their multiples.
    for (std::uint64_t low : {0ull, 1ull, 0xFFFFFFFFull}) {
        for (std::uint64_t high : {0xC90FDAA2ull, 0xC90FDAA3ull}) {
            judge.Check(Hard(TSoftExtended::FromBits(0x3FFE, high << 32 | low)));
        }
    }
    const long double largest = LargestPhase();
    for (long double k = 1; k * Pi / 4 <= largest; k += std::max(1.0L, std::floor(k / 64))) {
        long double x = k * Pi / 4;
        for (int step = 0; step < 8; ++step)
            x = std::nextafter(x, 0.0L);
        for (int step = 0; step < 16; ++step) {
            judge.Check(x);
            judge.Check(-x);
            x = std::nextafter(x, largest);
        }
    }
}

} // namespace
