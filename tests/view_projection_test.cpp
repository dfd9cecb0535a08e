// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTesting.h"
#include "ViewTesting.h"

#include "view/PointProjection.h"
#include "view/Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace {

TScreenPoint Project(Extended x, Extended y, Extended z, int zoomPosition) {
    TScreenPoint point{-1, -1};
    EXPECT_TRUE(ProjectNode({x, y, z, 0}, ZoomFromPosition(zoomPosition), 1500, point));
    return point;
}

void ExpectAt(const TScreenPoint& point, std::int32_t x, std::int32_t y) {
    EXPECT_EQ(point.X, x);
    EXPECT_EQ(point.Y, y);
}

TEST(Projection, OriginLandsOnTheCentreAtEveryZoom) {
    for (int zoom = 5; zoom <= 30; ++zoom)
        ExpectAt(Project(0, 0, 0, zoom), 400, 300);
}

// Zoom 1.0: one pixel per unit in the picture plane; at depth 1500, twice as far
// from the eye, half as much. The depth is zoomed too: at zoom 3.0 near points
// grow far more than far ones.
TEST(Projection, Perspective) {
    ExpectAt(Project(300, 0, 0, 10), 700, 300);
    ExpectAt(Project(300, 0, 1500, 10), 550, 300);
    ExpectAt(Project(300, -200, -500, 10), 850, 0);
    ExpectAt(Project(100, 0, -250, 30), 400 + 600, 300);
    ExpectAt(Project(100, 0, 250, 30), 400 + 200, 300);
}

TEST(Projection, HalvesRoundToEven) {
    ExpectAt(Project(2.5L, 3.5L, 0, 10), 402, 304);
    ExpectAt(Project(-2.5L, -3.5L, 0, 10), 398, 296);
    ExpectAt(Project(0.5L, 1.5L, 0, 10), 400, 302);
}

// The inline rounding of -fno-math-errno is the C library's: nearest, halves to even.
TEST(Projection, RoundingOfScreenCoordinates) {
    std::int32_t c = 0;
    const auto screen = [&c](Extended q, std::int32_t centre) {
        EXPECT_TRUE(ScreenCoordinate(q, centre, c)) << static_cast<double>(q);
        return c;
    };
    EXPECT_EQ(screen(2.5L, 0), 2);
    EXPECT_EQ(screen(3.5L, 0), 4);
    EXPECT_EQ(screen(-2.5L, 0), -2);
    EXPECT_EQ(screen(-3.5L, 0), -4);
    EXPECT_EQ(screen(2.4999999L, 0), 2);
    // Only the low 32 bits are kept, and the centre wraps around.
    EXPECT_EQ(screen(0x1p32L + 5, 400), 405);
    EXPECT_EQ(screen(0x1p31L - 1, 400), INT32_MIN + 399);
    EXPECT_EQ(screen(-0x1p63L, 300), 300);
    EXPECT_EQ(screen(0x1p63L - 1, 0), -1);
}

TEST(Projection, QuotientsNoInt64HoldsFail) {
    std::int32_t c = 0;
    const Extended inf = std::numeric_limits<Extended>::infinity();
    for (Extended q : {0x1p63L, 0x1p63L - 0.5L, -0x1p63L - 1, 1e30L, inf, -inf,
                       std::numeric_limits<Extended>::quiet_NaN()}) {
        EXPECT_FALSE(ScreenCoordinate(q, 400, c)) << static_cast<double>(q);
    }
}

// Next to -2^63 every quotient that rounds to it is held, and nothing below.
TEST(Projection, QuotientsRoundingToTheLowestInt64AreHeld) {
    std::int32_t c = 0;
    for (Extended q : {-0x1p63L, -0x1p63L + 0.5L}) { // -2^63 + 1/2 rounds to the even -2^63
        c = 0;
        EXPECT_TRUE(ScreenCoordinate(q, 300, c)) << static_cast<double>(q);
        EXPECT_EQ(c, 300); // the low 32 bits of -2^63 are 0
    }
    EXPECT_TRUE(ScreenCoordinate(-0x1p63L + 1.5L, 0, c));
    EXPECT_EQ(c, 2); // -2^63 + 2: low bits 2
    EXPECT_FALSE(ScreenCoordinate(-0x1p63L - 1, 0, c));
    EXPECT_FALSE(ScreenCoordinate(-0x1p64L, 0, c));
}

// The way by doubles lands where the extended quotient does, or declines:
// for quotients on a half, a hair from one, far from one, at many depths,
// large and small. Far from a half it must not decline.
TEST(Projection, TheWayByDoublesAgreesWithTheExtendedQuotientOrDeclines) {
    const TPointProjection project(1.0, 1500);
    // X and Y are decided side by side: a doubtful one must decline the point
    // whether or not the other is sure.
    enum TProbed { Both, OnlyX, OnlyY };
    int declinedOnHalves = 0;
    int halves = 0;
    for (double depth : {0.0, 1.0, -1.75, 733.3, -1234.5678, 2e5, 1e-300}) {
        for (double whole :
             {0.0, 1.0, 2.0, -3.0, 399.0, -400.0, 1e5, -0x1p19, 0x1p20, 0x1p30, -0x1p33, 3e9}) {
            for (double hair : {0.0, 0x1p-52, 0x1p-45, 0x1p-38, 0x1p-31, 0x1p-29, 0x1p-24, 0x1p-22,
                                0x1p-20, 0.25}) {
                for (auto [side, probed] : {std::pair{1.0, Both}, std::pair{-1.0, Both},
                                            std::pair{1.0, OnlyX}, std::pair{-1.0, OnlyY}}) {
                    const double quotient = whole + 0.5 + side * hair;
                    // The coordinate not probed lies well between two whole numbers.
                    const double other = 7.25;
                    const double x = probed == OnlyY ? other : quotient;
                    const double y = probed == OnlyX ? other : -quotient;
                    const TZoomedPoint zoomed{x * (1500 + depth) / 1500, y * (1500 + depth) / 1500,
                                              depth};
                    TScreenPoint exact{-7, -7};
                    TScreenPoint quick{-7, -7};
                    ASSERT_TRUE(project.Perspective(zoomed, exact));
                    const bool answered = project.QuickPerspective(zoomed, quick);
                    if (answered) {
                        EXPECT_EQ(quick.X, exact.X) << quotient << " at depth " << depth;
                        EXPECT_EQ(quick.Y, exact.Y) << quotient << " at depth " << depth;
                    }
                    if (hair == 0.25 && std::fabs(whole) < 0x1p19) {
                        EXPECT_TRUE(answered) << quotient << " at depth " << depth;
                    }
                    if (hair == 0 && depth == 0 && std::fabs(whole) < 0x1p20) {
                        ++halves;
                        declinedOnHalves += !answered;
                    }
                }
            }
        }
    }
    EXPECT_EQ(declinedOnHalves, halves) << "a quotient on a half is the extended way's to round";
}

// Behind the eye (zz < -1500) a point is drawn through the centre, mirrored.
TEST(Projection, BehindTheEyeIsMirroredThroughTheCentre) {
    ExpectAt(Project(300, 150, -3000, 10), 100, 150);
}

TEST(Projection, ZeroDenominatorFails) {
    TScreenPoint point{7, 8};
    EXPECT_FALSE(ProjectNode({0, 0, -1500, 0}, 1.0, 1500, point));
    EXPECT_FALSE(ProjectNode({1, 1, -500, 0}, 3.0, 1500, point));
}

TEST(Projection, EyeDistanceIsSetByEveryProjection) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    TView view(WhitePicture());
    EXPECT_TRUE(view.ProjectGrid(*net, 11));
    EXPECT_EQ(view.EyeDistance, 1500);
}

} // namespace
