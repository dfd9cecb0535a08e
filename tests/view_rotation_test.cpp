// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainView.h"
#include "ViewTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

std::unique_ptr<TView> MakeView() {
    return std::make_unique<TView>(WhitePicture());
}

TEST(Rotation, AllBarsAtZeroKeepXYAndRoundZToDouble) {
    auto net = RunningNet(BoundaryMode::DampedBorder, 40);
    net->Nodes(3, 4).Z = 1.0L + 0x1p-60L; // more bits than a double holds
    net->ViewNodes(7, 9).V = 123.25L;     // unused there: left alone
    auto view = MakeView();
    view->UpdateRotation(*net, Bars(0, 0, 0));
    for (int j = 1; j <= net->GridSize; ++j) {
        for (int i = 1; i <= net->GridSize; ++i) {
            const TNode& node = net->Nodes(i, j);
            const TNode& turned = net->ViewNodes(i, j);
            ASSERT_EQ(turned.X, node.X) << i << "," << j;
            ASSERT_EQ(turned.Y, node.Y) << i << "," << j;
            ASSERT_EQ(turned.Z, static_cast<double>(node.Z)) << i << "," << j;
        }
    }
    EXPECT_EQ(net->ViewNodes(3, 4).Z, 1.0L);
    EXPECT_EQ(net->ViewNodes(7, 9).V, 123.25L);
}

// Every bit of the turned nodes, the signs of zeros and the values a double
// cannot hold or only as subnormal included, as the plain formulas give them,
// with the bars about Y and Z at 0 and away from it.
TEST(Rotation, EveryBitAsThePlainFormulasWithTheBarsAtZeroAndAway) {
    const Extended inf = std::numeric_limits<Extended>::infinity();
    const Extended values[] = {0.0L,     -0.0L,           8,      -8,     1e-310L, -3e-320L,
                               1e-4000L, 1.0L + 0x1p-60L, -7.25L, 1e300L, 1e310L,  -inf};
    auto net = MakeNet(BoundaryMode::LooseEnd);
    int k = 0;
    for (Extended x : values) {
        for (Extended y : values) {
            for (Extended z : values) {
                TNode& node = net->Nodes(1 + k % 71, 1 + k / 71 % 71);
                node = {x, y, z, 0};
                ++k;
            }
        }
    }
    ASSERT_LE(k, 71 * 71);
    auto view = MakeView();
    for (const TViewControls bars :
         {Bars(60, 0, 0), Bars(0, 0, 0), Bars(-90, 0, 0), Bars(180, 0, 0), Bars(60, 45, 0),
          Bars(60, 0, -30), Bars(13, -47, 101)}) {
        view->UpdateRotation(*net, bars);
        const TPlainTurn turn(bars.RotationX, bars.RotationY, bars.RotationZ);
        for (int j = 1; j <= 71; ++j) {
            for (int i = 1; i <= 71; ++i) {
                const TNode expected = PlainRotate(net->Nodes(i, j), turn);
                const TNode& turned = net->ViewNodes(i, j);
                ASSERT_TRUE(SameBits(turned.X, expected.X) && SameBits(turned.Y, expected.Y) &&
                            SameBits(turned.Z, expected.Z))
                    << "bars " << bars.RotationX << " " << bars.RotationY << " " << bars.RotationZ
                    << ", node " << i << "," << j;
            }
        }
    }
}

// At the start angles a resting node keeps X; Y shrinks to Y cos 60 and the
// depth is -Y sin 60: the near half of the net (positive Y) comes towards the eye.
// A displacement Z rises by Z sin 60 and recedes by Z cos 60.
TEST(Rotation, StartAnglesTiltTheNet) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    net->Nodes(36, 36).Z = 10; // at the origin
    MakeView()->UpdateRotation(*net, Bars());
    const Extended s60 = std::sqrt(3.0L) / 2;
    for (auto [i, j] : {std::pair{1, 1}, {71, 71}, {5, 60}}) {
        const TNode& node = net->Nodes(i, j);
        const TNode& turned = net->ViewNodes(i, j);
        EXPECT_EQ(turned.X, node.X);
        EXPECT_NEAR(static_cast<double>(turned.Y), static_cast<double>(node.Y / 2), 1e-12);
        EXPECT_NEAR(static_cast<double>(turned.Z), static_cast<double>(-node.Y * s60), 1e-12);
    }
    EXPECT_LT(net->ViewNodes(36, 71).Z, 0) << "positive Y comes nearer";
    const TNode& lifted = net->ViewNodes(36, 36);
    EXPECT_EQ(lifted.X, 0);
    EXPECT_NEAR(static_cast<double>(lifted.Y), static_cast<double>(10 * s60), 1e-12);
    EXPECT_NEAR(static_cast<double>(lifted.Z), 5.0, 1e-12);
}

// The intermediate values x2 and y1 are rounded to double, as is the depth; the
// last turn about Z keeps X and Y in extended.
TEST(Rotation, OnlyTheLastTurnIsKeptInExtended) {
    auto net = RunningNet(BoundaryMode::DampedBorder, 40);
    auto view = MakeView();
    const auto countExtended = [&net](Extended TNode::*coordinate) {
        int count = 0;
        for (int j = 1; j <= net->GridSize; ++j) {
            for (int i = 1; i <= net->GridSize; ++i) {
                const Extended value = net->ViewNodes(i, j).*coordinate;
                count += value != static_cast<double>(value);
            }
        }
        return count;
    };
    view->UpdateRotation(*net, Bars(33, -71, 0)); // no turn about Z: X = x2, Y = y1
    EXPECT_EQ(countExtended(&TNode::X), 0);
    EXPECT_EQ(countExtended(&TNode::Y), 0);
    EXPECT_EQ(countExtended(&TNode::Z), 0);
    view->UpdateRotation(*net, Bars(33, -71, 97));
    EXPECT_GT(countExtended(&TNode::X), net->GridSize * net->GridSize / 2);
    EXPECT_GT(countExtended(&TNode::Y), net->GridSize * net->GridSize / 2);
    EXPECT_EQ(countExtended(&TNode::Z), 0);
}

TEST(Rotation, HalfTurnEitherWayGivesTheSamePicture) {
    for (const auto& [plus, minus] : {std::pair{Bars(180, 0, 0), Bars(-180, 0, 0)},
                                      {Bars(60, 180, 0), Bars(60, -180, 0)},
                                      {Bars(60, 0, 180), Bars(60, 0, -180)}}) {
        auto net = RunningNet(BoundaryMode::DampedBorder, 40);
        auto view = MakeView();
        view->UpdateRotation(*net, plus);
        const TGrid turned = net->ViewNodes;
        const TPicture picture = view->Bitmap();
        view->UpdateRotation(*net, minus);
        for (int j = 1; j <= net->GridSize; ++j) {
            for (int i = 1; i <= net->GridSize; ++i) {
                ASSERT_NEAR(static_cast<double>(net->ViewNodes(i, j).X),
                            static_cast<double>(turned(i, j).X), 1e-9);
                ASSERT_NEAR(static_cast<double>(net->ViewNodes(i, j).Y),
                            static_cast<double>(turned(i, j).Y), 1e-9);
                ASSERT_NEAR(static_cast<double>(net->ViewNodes(i, j).Z),
                            static_cast<double>(turned(i, j).Z), 1e-9);
            }
        }
        // A point exactly on a rounding edge may move by one pixel.
        EXPECT_LT(DifferingPixels(view->Bitmap(), picture), 50);
    }
}

// Whichever bar moved last, the rotation is that of the three positions.
TEST(Rotation, DependsOnlyOnTheThreePositions) {
    auto net = RunningNet(BoundaryMode::DampedBorder, 40);
    auto first = MakeView();
    first->UpdateRotation(*net, Bars(-20, 0, 0));
    first->UpdateRotation(*net, Bars(45, -30, 120));
    const TGrid turned = net->ViewNodes;
    auto second = MakeView();
    second->UpdateRotation(*net, Bars(45, 170, -5));
    second->UpdateRotation(*net, Bars(45, -30, 120));
    EXPECT_TRUE(SameStorage(net->ViewNodes, turned));
    EXPECT_TRUE(SameBits(first->AngleX, second->AngleX));
    EXPECT_EQ(first->Bitmap(), second->Bitmap());
}

} // namespace
