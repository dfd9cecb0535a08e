// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTesting.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The extended nearest to numerator / denominator, as a decimal literal of
// long double is: one correctly rounded division of exact operands.
Extended Ratio(int numerator, int denominator) {
    return static_cast<Extended>(numerator) / static_cast<Extended>(denominator);
}

void ExpectRest(const TNet& net, int i, int j, Extended x, Extended y) {
    const TNode& node = net.Nodes(i, j);
    EXPECT_EQ(node.X, x) << "node " << i << "," << j;
    EXPECT_EQ(node.Y, y) << "node " << i << "," << j;
    EXPECT_EQ(node.Z, 0);
    EXPECT_EQ(node.V, 0);
}

TEST(Grid, RestPositionsWithDampingMargin) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    EXPECT_EQ(net->GridSize, 91);
    EXPECT_EQ(net->Margin, 10);
    EXPECT_EQ(net->BaseTimeStep, Ratio(115, 10000));
    ExpectRest(*net, 1, 1, -360, -360);
    ExpectRest(*net, 11, 11, -280, -280);
    ExpectRest(*net, 46, 46, 0, 0);
    ExpectRest(*net, 91, 91, 360, 360);
    ExpectRest(*net, 91, 1, 360, -360);
}

TEST(Grid, RestPositionsOfReflectingModes) {
    for (BoundaryMode mode : {BoundaryMode::LooseEnd, BoundaryMode::FixedEnd}) {
        auto net = MakeNet(mode);
        EXPECT_EQ(net->GridSize, 71);
        EXPECT_EQ(net->Margin, 0);
        EXPECT_EQ(net->BaseTimeStep, Ratio(1, 100));
        ExpectRest(*net, 1, 1, -280, -280);
        ExpectRest(*net, 36, 36, 0, 0);
        ExpectRest(*net, 71, 71, 280, 280);
        ExpectRest(*net, 1, 71, -280, 280); // X follows i only, Y follows j only
    }
}

TEST(Grid, ModeChangeRestsTheNetAndLeavesUnusedStorageAlone) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    net->Nodes(85, 85).Z = 5;
    net->Nodes(30, 30).V = 7;
    net->ZoneDamping = 0.5;

    net->SelectBoundaryMode(BoundaryMode::LooseEnd);
    EXPECT_EQ(net->Nodes(85, 85).Z, 5) << "nodes beyond the new size keep their old values";
    ExpectRest(*net, 30, 30, -48, -48);
    EXPECT_EQ(net->ZoneDamping, 0.5) << "only the damped mode sets the zone damping";

    net->Nodes(30, 30).Z = 3;
    net->SelectBoundaryMode(BoundaryMode::DampedBorder);
    ExpectRest(*net, 85, 85, 312, 312);
    ExpectRest(*net, 30, 30, -128, -128);
    EXPECT_EQ(net->ZoneDamping, 2.0);
}

TEST(Grid, InitGridLeavesTheOtherGridsAlone) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    net->PrevNodes(3, 3).Z = 1;
    net->ViewNodes(4, 4).X = 2;
    net->InitGrid();
    EXPECT_EQ(net->PrevNodes(3, 3).Z, 1);
    EXPECT_EQ(net->ViewNodes(4, 4).X, 2);
}

TEST(RunStart, SetsConstantsAndSourcesCountedInsideTheMargin) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    net->SimTime = 3;
    net->Damping = 2;
    net->ZoneDamping = 0;
    net->StartRun({36, 1, 28, 44});
    EXPECT_EQ(net->SimTime, 0);
    EXPECT_EQ(net->Restoring, 10.0);
    EXPECT_EQ(net->Damping, 0);
    EXPECT_EQ(net->ZoneDamping, 2.0);
    EXPECT_EQ(net->Source1X, 46);
    EXPECT_EQ(net->Source1Y, 11);
    EXPECT_EQ(net->Source2X, 38);
    EXPECT_EQ(net->Source2Y, 54);

    net->SelectBoundaryMode(BoundaryMode::FixedEnd);
    net->StartRun({36, 1, 28, 44});
    EXPECT_EQ(net->Source1X, 36);
    EXPECT_EQ(net->Source1Y, 1);
}

TEST(RunStart, HugeTypedNumbersStayOutsideTheNet) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    net->StartRun({INT_MAX, INT_MIN, INT_MAX - 5, -10});
    EXPECT_EQ(net->Source1X, std::int64_t{INT_MAX} + 10);
    EXPECT_EQ(net->Source1Y, std::int64_t{INT_MIN} + 10);
    EXPECT_EQ(net->Source2X, std::int64_t{INT_MAX} + 5);
    EXPECT_EQ(net->Source2Y, 0);
}

TEST(RunStart, TimeStepFollowsCrossGridAndMode) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    net->PreparePass(false, 100, 40);
    EXPECT_EQ(net->TimeStep, Ratio(115, 10000));
    net->PreparePass(true, 1500, 7);
    EXPECT_EQ(net->TimeStep, Ratio(115, 10000) * 1.5);
    EXPECT_EQ(net->Coupling, 1500.0);
    EXPECT_EQ(net->Amplitude, 7);
    net->SelectBoundaryMode(BoundaryMode::LooseEnd);
    net->PreparePass(true, 100, 40);
    EXPECT_EQ(net->TimeStep, Ratio(1, 100) * 1.5);
    EXPECT_NEAR(static_cast<double>(net->TimeStep), 0.015, 1e-17);
}

} // namespace
