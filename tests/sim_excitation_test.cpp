// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTesting.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

// The drive as the window starts it: frequency 800 (Omega 8), source 1 on.
TExcitationControls On() {
    return {.Excitation = true, .FrequencyPosition = 800, .Source1 = true};
}

TEST(Excitation, DriveStartsFromRestAtTimeZero) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    net->PreparePass(true, 100, 40);
    net->StepGrid(BoundaryMode::DampedBorder);
    net->ApplyExcitation(On());
    EXPECT_EQ(net->Omega, 8.0L);
    EXPECT_EQ(net->Nodes(46, 46).Z, 0);
    EXPECT_EQ(net->Nodes(46, 46).V, -320);
    EXPECT_EQ(net->Nodes(45, 46).V, 0) << "only the source node is driven";
}

TEST(Excitation, DriveFollowsTheSineAtTheCurrentTime) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    net->StartRun({10, 20, 30, 40});
    net->SimTime = 0.3L;
    net->Amplitude = 25;
    net->ApplyExcitation(
        {.Excitation = true, .FrequencyPosition = 500, .Source1 = true, .Source2 = true});
    // volatile keeps the compiler from folding sin and cos at compile time,
    // where it rounds differently from the run-time library the program uses.
    volatile Extended time = 0.3L;
    const Extended omega = 500 * 0.01L; // not quite 5: 0.01 is not exact
    const Extended phase = omega * time;
    for (auto [i, j] : {std::pair{10, 20}, {30, 40}}) {
        EXPECT_EQ(net->Nodes(i, j).Z, -25.0L * std::sin(phase));
        EXPECT_EQ(net->Nodes(i, j).V, std::cos(phase) * (-25.0L * omega));
    }
}

TEST(Excitation, MasterSwitchClearTouchesNothing) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    net->Omega = 1.25L;
    net->Amplitude = 40;
    net->ApplyExcitation({.Excitation = false, .Source2 = true, .Wavefront = true});
    EXPECT_EQ(net->Omega, 1.25L) << "Omega keeps the slider handler's value";
    EXPECT_EQ(net->Nodes(46, 46).V, 0);
    EXPECT_EQ(net->Nodes(11, 30).V, 0);
}

TEST(Excitation, ZeroFrequencyOrAmplitudeHoldsSourcesStill) {
    for (auto [frequency, amplitude] : {std::pair{0, 40}, {800, 0}}) {
        auto net = MakeNet(BoundaryMode::DampedBorder);
        net->Nodes(46, 46).Z = 3;
        net->Nodes(46, 46).V = 4;
        net->SimTime = 1.7L;
        net->Amplitude = amplitude;
        net->ApplyExcitation({.Excitation = true, .FrequencyPosition = frequency, .Source1 = true});
        EXPECT_EQ(net->Nodes(46, 46).Z, 0);
        EXPECT_EQ(net->Nodes(46, 46).V, 0);
    }
}

TEST(Excitation, WavefrontDrivesTheFirstLineInsideTheMargin) {
    struct Case {
        BoundaryMode Mode;
        int Line;
    };
    for (const Case c : {Case{BoundaryMode::DampedBorder, 11}, Case{BoundaryMode::LooseEnd, 1},
                         Case{BoundaryMode::FixedEnd, 1}}) {
        auto net = MakeNet(c.Mode);
        net->Amplitude = 40;
        net->ApplyExcitation({.Excitation = true, .FrequencyPosition = 800, .Wavefront = true});
        for (int j = 1; j <= net->GridSize; ++j) {
            ASSERT_EQ(net->Nodes(c.Line, j).V, -320) << "line " << c.Line << ", j " << j;
            ASSERT_EQ(net->Nodes(c.Line + 1, j).V, 0);
        }
        EXPECT_EQ(net->Nodes(36 + net->Margin, 36 + net->Margin).V, 0) << "source 1 is off";
    }
}

TEST(Excitation, SourcesOutsideTheNetChangeNothingInStorage) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    net->Nodes(5, 5).Z = 1; // something to compare
    const int typed[][4] = {{80, 36, 36, 72},
                            {0, 36, 36, 0},
                            {-5, 36, 36, 100},
                            {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                            {36, 72, 72, 36}};
    for (const auto& fields : typed) {
        net->StartRun({fields[0], fields[1], fields[2], fields[3]});
        const auto before = std::make_unique<TGrid>(net->Nodes);
        net->Amplitude = 40;
        net->ApplyExcitation(
            {.Excitation = true, .FrequencyPosition = 800, .Source1 = true, .Source2 = true});
        EXPECT_TRUE(SameStorage(*before, net->Nodes))
            << fields[0] << "," << fields[1] << " / " << fields[2] << "," << fields[3];
    }
}

} // namespace
