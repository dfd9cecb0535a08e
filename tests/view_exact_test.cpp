// SPDX-License-Identifier: GPL-3.0-or-later
// The view held to the last bit against the plain model of PlainView.h: every
// node of real nets, margin included, at many bar positions and zooms; and
// nodes made so that each rounding to double decides their bits or their pixel.

#include "ExampleRows.h"
#include "PlainView.h"
#include "ViewTesting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

struct TBars {
    int X, Y, Z;
};

// Each bar at 0, ±90 and ±180, alone and together, and odd degrees.
constexpr TBars BarPositions[] = {
    {60, 0, 0},      {0, 0, 0},     {180, 0, 0},  {-180, 0, 0},      {90, 0, 0},
    {-90, 0, 0},     {0, 180, 0},   {0, -180, 0}, {0, 90, 0},        {0, 0, 180},
    {0, 0, -180},    {0, 0, -90},   {90, 90, 90}, {-180, 180, -180}, {13, -47, 101},
    {-179, 179, -1}, {33, -71, 97}, {1, 1, 1},    {-61, 127, -149},  {77, -3, 59},
};

std::string Hex(long double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%La", value);
    return text;
}

std::string Describe(int i, int j, const TNode& seen, const TNode& expected) {
    return "node (" + std::to_string(i) + ", " + std::to_string(j) + "): " + Hex(seen.X) + " " +
           Hex(seen.Y) + " " + Hex(seen.Z) + ", expected " + Hex(expected.X) + " " +
           Hex(expected.Y) + " " + Hex(expected.Z);
}

bool SameTurn(const TNode& a, const TNode& b) {
    return SameBits(a.X, b.X) && SameBits(a.Y, b.Y) && SameBits(a.Z, b.Z);
}

// Used nodes whose turned X, Y or Z differs in any bit from the model's;
// `first` describes the first of them.
int TurnMismatches(const TGrid& turned, const TNet& net, const TBars& bars, const TRoundings& r,
                   std::string& first) {
    const TPlainTurn turn(bars.X, bars.Y, bars.Z, r);
    int count = 0;
    for (int j = 1; j <= net.GridSize; ++j) {
        for (int i = 1; i <= net.GridSize; ++i) {
            const TNode expected = PlainRotate(net.Nodes(i, j), turn, r);
            if (SameTurn(turned(i, j), expected)) continue;
            if (count++ == 0) first = Describe(i, j, turned(i, j), expected);
        }
    }
    return count;
}

// Nodes whose turn changes in some bit when the model leaves out one rounding.
int NodesDecidedBy(const TNet& net, const TBars& bars, const TRoundings& without) {
    const TPlainTurn turn(bars.X, bars.Y, bars.Z);
    const TPlainTurn changed(bars.X, bars.Y, bars.Z, without);
    int count = 0;
    for (int j = 1; j <= net.GridSize; ++j) {
        for (int i = 1; i <= net.GridSize; ++i) {
            count += !SameTurn(PlainRotate(net.Nodes(i, j), turn),
                               PlainRotate(net.Nodes(i, j), changed, without));
        }
    }
    return count;
}

// Used nodes whose screen point differs from the model's projection of ViewNodes.
int PointMismatches(const TView& view, const TNet& net, int zoom, std::string& first) {
    int count = 0;
    for (int j = 1; j <= net.GridSize; ++j) {
        for (int i = 1; i <= net.GridSize; ++i) {
            const std::optional<TScreenPoint> expected = PlainProject(net.ViewNodes(i, j), zoom);
            const TScreenPoint seen = view.ScreenPoints(i, j);
            if (expected && expected->X == seen.X && expected->Y == seen.Y) continue;
            if (count++ == 0) {
                first = "node (" + std::to_string(i) + ", " + std::to_string(j) + ") at " +
                        std::to_string(seen.X) + ", " + std::to_string(seen.Y) + ", expected " +
                        (expected ? std::to_string(expected->X) + ", " + std::to_string(expected->Y)
                                  : std::string("no point"));
            }
        }
    }
    return count;
}

bool AllProjectable(const TNet& net, int zoom) {
    for (int j = 1; j <= net.GridSize; ++j) {
        for (int i = 1; i <= net.GridSize; ++i) {
            if (!PlainProject(net.ViewNodes(i, j), zoom)) return false;
        }
    }
    return true;
}

TEST(ExactView, EveryNodeOfEveryExampleAtManyAnglesAndZooms) {
    TView view(WhitePicture());
    for (const TExampleRow& row : ExampleRows) {
        SCOPED_TRACE(row.Caption);
        const auto net = ExampleNet(row, 150);
        for (const TBars& bars : BarPositions) {
            SCOPED_TRACE(std::to_string(bars.X) + ", " + std::to_string(bars.Y) + ", " +
                         std::to_string(bars.Z));
            view.UpdateRotation(*net, Bars(bars.X, bars.Y, bars.Z));
            EXPECT_TRUE(SameBits(view.AngleX, PlainAngle(bars.X)));
            EXPECT_TRUE(SameBits(view.AngleY, PlainAngle(bars.Y)));
            EXPECT_TRUE(SameBits(view.AngleZ, PlainAngle(bars.Z)));
            std::string first;
            ASSERT_EQ(TurnMismatches(net->ViewNodes, *net, bars, {}, first), 0) << first;
            for (int zoom : {5, 11, 30}) {
                const bool drawn = view.DrawGrid(*net, Bars(60, 0, 0, zoom));
                ASSERT_EQ(drawn, AllProjectable(*net, zoom)) << "zoom " << zoom;
                if (drawn) {
                    ASSERT_EQ(PointMismatches(view, *net, zoom, first), 0) << first;
                }
            }
        }
    }
}

// A net whose X, Y and Z carry all 64 bits of the long double, as no rest
// position does: then every rounding of the turn, x0 included, decides bits.
TEST(ExactView, EachRoundingOfTheTurnDecidesBitsAndIsKept) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    std::uint64_t state = 88172645463325252ull;
    const auto next = [&state] { // xorshift: a fixed stream of 64-bit fractions
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<long double>(state) * 0x1p-64L;
    };
    for (int j = 1; j <= net->GridSize; ++j) {
        for (int i = 1; i <= net->GridSize; ++i) {
            TNode& node = net->Nodes(i, j);
            node.X += next();
            node.Y += next();
            node.Z = 200 * next() - 100;
        }
    }
    TView view(WhitePicture());
    for (const TBars& bars : {TBars{33, -71, 97}, TBars{60, 0, 0}, TBars{-179, 179, -1}}) {
        view.UpdateRotation(*net, {.RotationX = bars.X, .RotationY = bars.Y, .RotationZ = bars.Z});
        std::string first;
        EXPECT_EQ(TurnMismatches(net->ViewNodes, *net, bars, {}, first), 0) << first;
    }
    const TBars bars{33, -71, 97};
    for (bool TRoundings::*rounding : {&TRoundings::Angles, &TRoundings::X0, &TRoundings::Y1,
                                       &TRoundings::Z1, &TRoundings::X2, &TRoundings::Z2}) {
        TRoundings without;
        without.*rounding = false;
        EXPECT_GT(NodesDecidedBy(*net, bars, without), 100);
    }
    // On a real net every rounding but that of the whole-number x0 shows too.
    const auto real = ExampleNet(ExampleRows[0], 150);
    for (bool TRoundings::*rounding : {&TRoundings::Angles, &TRoundings::Y1, &TRoundings::Z1,
                                       &TRoundings::X2, &TRoundings::Z2}) {
        TRoundings without;
        without.*rounding = false;
        EXPECT_GT(NodesDecidedBy(*real, bars, without), 100);
    }
}

struct TMadeNode {
    const char* Why;
    TNode Turned; // written into ViewNodes
    int Zoom;
    TScreenPoint Expected;
    bool TRoundings::*DecidedBy; // the rounding without which the point moves
};

// Each case worked out by hand; with the rounding named, the quotient lands
// exactly on a half and goes to the even neighbour; without it, it lies just
// beside the half and goes the other way.
const TMadeNode MadeNodes[] = {
    // Zoom 1: xz = 2.5 + 2^-61 rounded to double is 2.5 (a double's spacing at
    // 2.5 is 2^-51); 1500 * 2.5 / 1500 = 2.5 goes to 2: X = 402. Kept, the
    // quotient is above 2.5: 403.
    {"xz", {2.5L + 0x1p-61L, 0, 0, 0}, 10, {402, 300}, &TRoundings::XZ},
    // yz = 3.5 - 2^-61 rounds to 3.5, which goes to 4: Y = 304. Kept: 303.
    {"yz", {0, 3.5L - 0x1p-61L, 0, 0}, 10, {400, 304}, &TRoundings::YZ},
    // zz = 2^20 + 2^-40 rounds to 2^20 (spacing 2^-32 there): d = 1500 + 1048576
    // = 1050076, and 1500 * 131259.5 / 1050076 = 196889250 / 1050076 = 187.5
    // exactly, which goes to 188: X = 588. Kept, d is 2^-40 larger and the
    // quotient just below 187.5: 587.
    {"zz", {131259.5L, 0, 0x1p20L + 0x1p-40L, 0}, 10, {588, 300}, &TRoundings::ZZ},
    // Zoom 11 / 10 as a double is 1.1 + 8.9e-17. X = 0x1.b45d1745d1745p+2
    // (6.8181818181818175): X * zoom = 7.5 - 1.9e-16, which rounds to the double
    // 7.5 (spacing 8.9e-16); quotient 7.5 goes to 8: X = 408. With the zoom
    // kept in long double (1.1 + 2.2e-20), X * zoom = 7.5 - 8.0e-16, which
    // rounds to the double below 7.5: 407.
    {"zoom", {0x1.b45d1745d1745p+2L, 0, 0, 0}, 11, {408, 300}, &TRoundings::Zoom},
};

TEST(ExactView, EachRoundingOfTheProjectionDecidesAPixel) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    TView view(WhitePicture());
    for (const TMadeNode& made : MadeNodes) {
        SCOPED_TRACE(made.Why);
        net->ViewNodes(5, 7) = made.Turned;
        ASSERT_TRUE(view.DrawGrid(*net, Bars(60, 0, 0, made.Zoom)));
        EXPECT_EQ(view.ScreenPoints(5, 7).X, made.Expected.X);
        EXPECT_EQ(view.ScreenPoints(5, 7).Y, made.Expected.Y);

        // The model agrees, and moves the point without the rounding.
        const std::optional<TScreenPoint> full = PlainProject(made.Turned, made.Zoom);
        TRoundings without;
        without.*made.DecidedBy = false;
        const std::optional<TScreenPoint> changed = PlainProject(made.Turned, made.Zoom, without);
        ASSERT_TRUE(full && changed);
        EXPECT_EQ(full->X, made.Expected.X);
        EXPECT_EQ(full->Y, made.Expected.Y);
        EXPECT_TRUE(changed->X != full->X || changed->Y != full->Y);
    }
}

} // namespace
