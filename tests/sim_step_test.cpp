// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr BoundaryMode AllModes[] = {BoundaryMode::DampedBorder, BoundaryMode::LooseEnd,
                                     BoundaryMode::FixedEnd};

TEST(Step, NetAtRestStaysExactlyAtRest) {
    for (BoundaryMode mode : AllModes) {
        auto net = MakeNet(mode);
        RunPasses(*net, {.Mode = mode, .Coupling = 1500}, 200);
        for (int j = 1; j <= net->GridSize; ++j) {
            for (int i = 1; i <= net->GridSize; ++i) {
                ASSERT_EQ(net->Nodes(i, j).Z, 0) << i << "," << j;
                ASSERT_EQ(net->Nodes(i, j).V, 0) << i << "," << j;
            }
        }
    }
}

TEST(Step, IsolatedNodeUsesTheNewVelocity) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    net->Nodes(36, 36).Z = 1;
    net->PreparePass(false, 0, 40); // coupling 0, dt 0.01
    net->StepGrid(BoundaryMode::LooseEnd);
    // V = -10 * 1 * 0.01 = -0.1, Z = 1 + V * 0.01 = 0.999 (0.01 is not exact in binary).
    EXPECT_NEAR(static_cast<double>(net->Nodes(36, 36).V + 0.1L), 0.0, 3e-20);
    EXPECT_NEAR(static_cast<double>(net->Nodes(36, 36).Z - 0.999L), 0.0, 3e-19);
    EXPECT_EQ(net->Nodes(35, 36).Z, 0) << "coupling 0 spreads nothing";
    EXPECT_EQ(net->Nodes(35, 36).V, 0);
}

// A 3 x 3 net worked by hand: centre displaced by 1, k = 1, D/m = 10, dt = 0.01.
TEST(Step, ThreeByThreeNetByHand) {
    for (BoundaryMode mode : {BoundaryMode::LooseEnd, BoundaryMode::FixedEnd}) {
        auto net = MakeNet(mode);
        net->GridSize = 3;
        net->InitGrid();
        net->Nodes(2, 2).Z = 1;
        net->PreparePass(false, 1, 0);
        net->StepGrid(mode);

        // Centre: F = -10 + (0 - 4) * 1 = -14, V = -0.14, Z = 1 - 0.0014.
        EXPECT_NEAR(static_cast<double>(net->Nodes(2, 2).V + 0.14L), 0.0, 1e-19);
        EXPECT_NEAR(static_cast<double>(net->Nodes(2, 2).Z - 0.9986L), 0.0, 3e-19);
        if (mode == BoundaryMode::LooseEnd) {
            // Edge: three neighbours summing to 1: F = 1, V = 0.01, Z = 0.0001.
            for (auto [i, j] : {std::pair{2, 1}, {1, 2}, {3, 2}, {2, 3}}) {
                EXPECT_NEAR(static_cast<double>(net->Nodes(i, j).V - 0.01L), 0.0, 1e-20);
                EXPECT_NEAR(static_cast<double>(net->Nodes(i, j).Z - 0.0001L), 0.0, 1e-21);
            }
        } else {
            EXPECT_EQ(net->Nodes(2, 1).Z, 0);
            EXPECT_EQ(net->Nodes(2, 1).V, 0);
        }
        // Corners see only edge nodes, which were at rest in the snapshot.
        EXPECT_EQ(net->Nodes(1, 1).V, 0);
        EXPECT_EQ(net->Nodes(3, 3).Z, 0);
    }
}

// Neighbours of (i, j) in the order their Z is summed.
std::vector<std::pair<int, int>> SummedNeighbours(int i, int j, int G) {
    if (i == 1 && j == 1) return {{2, 1}, {1, 2}};
    if (i == 1 && j == G) return {{1, G - 1}, {2, G}};
    if (i == G && j == 1) return {{G - 1, 1}, {G, 2}};
    if (i == G && j == G) return {{G - 1, G}, {G, G - 1}};
    if (i == 1 || i == G) return {{i == 1 ? 2 : G - 1, j}, {i, j - 1}, {i, j + 1}};
    if (j == 1 || j == G) return {{i, j == 1 ? 2 : G - 1}, {i - 1, j}, {i + 1, j}};
    return {{i - 1, j}, {i + 1, j}, {i, j - 1}, {i, j + 1}};
}

// The same step visited backwards, node by node from one snapshot.
void StepBackwards(TNet& net, BoundaryMode mode) {
    const auto snapshot = std::make_unique<TGrid>(net.Nodes);
    const TGrid& before = *snapshot;
    const int G = net.GridSize;
    const Extended borderDamping = net.Damping;
    for (int j = G; j >= 1; --j) {
        for (int i = G; i >= 1; --i) {
            const bool border = i == 1 || j == 1 || i == G || j == G;
            if (border && mode == BoundaryMode::FixedEnd) continue;
            Extended damping = borderDamping;
            if (!border) {
                const bool outside = i < 11 || i > 81 || j < 11 || j > 81;
                damping = mode == BoundaryMode::DampedBorder && outside ? net.ZoneDamping : 0;
            }
            const auto neighbours = SummedNeighbours(i, j, G);
            Extended sum = before(neighbours[0].first, neighbours[0].second).Z;
            for (std::size_t k = 1; k < neighbours.size(); ++k) {
                sum = sum + before(neighbours[k].first, neighbours[k].second).Z;
            }
            const auto n = static_cast<Extended>(neighbours.size());
            TNode& node = net.Nodes(i, j);
            const Extended force =
                (-net.Restoring * node.Z) + (sum - n * node.Z) * net.Coupling - damping * node.V;
            node.V = force * net.TimeStep + node.V;
            node.Z = node.V * net.TimeStep + node.Z;
        }
    }
}

TEST(Step, VisitingOrderDoesNotChangeAnyBit) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-20.0, 20.0);
    for (BoundaryMode mode : AllModes) {
        auto forward = MakeNet(mode);
        for (int j = 1; j <= forward->GridSize; ++j) {
            for (int i = 1; i <= forward->GridSize; ++i) {
                forward->Nodes(i, j).Z = value(random);
                forward->Nodes(i, j).V = value(random);
            }
        }
        forward->PreparePass(true, 900, 40);
        auto backward = std::make_unique<TNet>(*forward);
        for (int step = 0; step < 3; ++step) {
            backward->Damping = forward->Damping;
            const auto start = std::make_unique<TGrid>(forward->Nodes);
            forward->StepGrid(mode);
            StepBackwards(*backward, mode);
            for (int j = 1; j <= forward->GridSize; ++j) {
                for (int i = 1; i <= forward->GridSize; ++i) {
                    ASSERT_TRUE(SameBits(forward->Nodes(i, j).Z, backward->Nodes(i, j).Z))
                        << "mode " << static_cast<int>(mode) << " node " << i << "," << j;
                    ASSERT_TRUE(SameBits(forward->Nodes(i, j).V, backward->Nodes(i, j).V));
                    ASSERT_TRUE(SameBits(forward->PrevNodes(i, j).Z, (*start)(i, j).Z))
                        << "the snapshot is the net at the step's start: node " << i << "," << j;
                }
            }
        }
    }
}

// Many passes with both sources and the wavefront driving, against the plain
// step that snapshots the whole storage: every bit of every node the same.
TEST(Step, ManyDrivenPassesMatchAStepFromAWholeStorageCopy) {
    for (BoundaryMode mode : AllModes) {
        SCOPED_TRACE(static_cast<int>(mode));
        auto net = MakeNet(mode);
        net->StartRun({24, 1, 71, 50}); // the second source on the border
        auto reference = std::make_unique<TNet>(*net);
        TPass pass{.Mode = mode, .Coupling = 700, .Amplitude = 60};
        pass.Excitation = {.Excitation = true,
                           .FrequencyPosition = 1100,
                           .Source1 = true,
                           .Source2 = true,
                           .Wavefront = true};
        for (int count = 1; count <= 600; ++count) {
            RunPasses(*net, pass, 1);
            reference->PreparePass(pass.CrossGrid, pass.Coupling, pass.Amplitude);
            StepBackwards(*reference, mode);
            // The interior pass leaves the border the damping of node (G-1, G-1):
            // (90, 90) lies in the damped zone of the 91-node net, elsewhere none.
            reference->Damping = mode == BoundaryMode::DampedBorder ? reference->ZoneDamping : 0;
            reference->ApplyExcitation(pass.Excitation);
            reference->AdvanceTime();
            if (count % 100 != 0) continue;
            for (int j = 1; j <= net->GridSize; ++j) {
                for (int i = 1; i <= net->GridSize; ++i) {
                    ASSERT_TRUE(SameBits(net->Nodes(i, j).Z, reference->Nodes(i, j).Z))
                        << "pass " << count << " node " << i << "," << j;
                    ASSERT_TRUE(SameBits(net->Nodes(i, j).V, reference->Nodes(i, j).V))
                        << "pass " << count << " node " << i << "," << j;
                }
            }
        }
        EXPECT_NE(net->Nodes(2, 2).Z, 0) << "the waves did reach the border";
    }
}

TEST(Step, ZoneDampingOutsideTheWindowAndBorderDampedFromTheSecondStep) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    const std::pair<int, int> probes[] = {{10, 50}, {11, 50}, {81, 81}, {82, 50}, {1, 50}};
    for (auto [i, j] : probes)
        net->Nodes(i, j).V = 1;
    net->Restoring = 0; // only the damping acts on the probes
    net->PreparePass(false, 0, 40);
    net->StepGrid(BoundaryMode::DampedBorder);
    const Extended damped = 1 - 2.0L * 0.0115L; // V = -ZoneDamping * V * dt + V
    EXPECT_EQ(net->Nodes(10, 50).V, damped);
    EXPECT_EQ(net->Nodes(11, 50).V, 1);
    EXPECT_EQ(net->Nodes(81, 81).V, 1);
    EXPECT_EQ(net->Nodes(82, 50).V, damped);
    EXPECT_EQ(net->Nodes(1, 50).V, 1) << "the border is undamped in a run's first step";

    net->StepGrid(BoundaryMode::DampedBorder);
    EXPECT_EQ(net->Nodes(1, 50).V, damped);
    EXPECT_EQ(net->Nodes(11, 50).V, 1);

    net->StartRun({36, 36, 36, 36});
    net->Restoring = 0;
    net->StepGrid(BoundaryMode::DampedBorder);
    EXPECT_EQ(net->Nodes(11, 50).V, 1);
    EXPECT_EQ(net->Nodes(1, 50).V, damped) << "a run start lifts the border damping for a step";
    EXPECT_LT(net->Nodes(10, 50).V, damped);
}

TEST(Step, ReflectingModesAreUndamped) {
    for (BoundaryMode mode : {BoundaryMode::LooseEnd, BoundaryMode::FixedEnd}) {
        auto net = MakeNet(mode);
        net->Nodes(5, 50).V = 1;
        net->Nodes(1, 50).V = 1;
        net->Restoring = 0;
        net->PreparePass(false, 0, 40);
        net->StepGrid(mode);
        net->StepGrid(mode);
        EXPECT_EQ(net->Nodes(5, 50).V, 1);
        EXPECT_EQ(net->Nodes(1, 50).V, 1) << "moved only when loose, and never damped";
    }
}

TEST(Step, FixedBorderNeverMoves) {
    auto net = MakeNet(BoundaryMode::FixedEnd);
    net->Nodes(3, 3).Z = 50;
    net->Nodes(36, 36).Z = -50;
    RunPasses(*net, {.Mode = BoundaryMode::FixedEnd, .Coupling = 1500}, 2000);
    const int G = net->GridSize;
    for (int k = 1; k <= G; ++k) {
        for (auto [i, j] : {std::pair{1, k}, {G, k}, {k, 1}, {k, G}}) {
            ASSERT_EQ(net->Nodes(i, j).Z, 0);
            ASSERT_EQ(net->Nodes(i, j).V, 0);
        }
    }
    EXPECT_NE(net->Nodes(2, 2).Z, 0) << "the waves did reach the border";
}

TEST(Step, UniformLooseNetStaysUniform) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    for (int j = 1; j <= 71; ++j) {
        for (int i = 1; i <= 71; ++i)
            net->Nodes(i, j).Z = 5;
    }
    RunPasses(*net, {.Mode = BoundaryMode::LooseEnd, .Coupling = 1500}, 300);
    const TNode corner = net->Nodes(1, 1);
    EXPECT_NE(corner.Z, 5) << "the net swings on its own springs";
    for (int j = 1; j <= 71; ++j) {
        for (int i = 1; i <= 71; ++i) {
            ASSERT_TRUE(SameBits(net->Nodes(i, j).Z, corner.Z)) << i << "," << j;
            ASSERT_TRUE(SameBits(net->Nodes(i, j).V, corner.V)) << i << "," << j;
        }
    }
}

} // namespace
