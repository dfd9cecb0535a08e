// SPDX-License-Identifier: GPL-3.0-or-later
// The view under extreme turns and displacements: every rotation bar at its
// ends, the zoom at both ends, nets thrown far out of the picture plane. It
// must neither crash nor hang, and give up a frame only where the projection
// has no answer.

#include "ViewQtTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

// Worked out here from ViewNodes, as the projection's contract says: every node
// needs a denominator d = 1500 + zz other than zero, and quotients 1500 xz / d,
// 1500 yz / d that round (halves to even) to a 64-bit integer.
bool HasProjection(const TNet& net, int zoomPosition) {
    const Extended zoom = static_cast<double>(zoomPosition / 10.0L);
    const auto roundsInto64Bits = [](Extended quotient) {
        const Extended rounded = std::nearbyint(quotient); // NaN stays NaN and fails below
        return rounded >= -0x1p63L && rounded <= 0x1p63L - 1;
    };
    for (int j = 1; j <= net.GridSize; ++j) {
        for (int i = 1; i <= net.GridSize; ++i) {
            const TNode& node = net.ViewNodes(i, j);
            const Extended xz = static_cast<double>(node.X * zoom);
            const Extended yz = static_cast<double>(node.Y * zoom);
            const Extended zz = static_cast<double>(node.Z * zoom);
            const Extended d = 1500 + zz;
            if (d == 0 || !roundsInto64Bits(1500 * xz / d) || !roundsInto64Bits(1500 * yz / d)) {
                return false;
            }
        }
    }
    return true;
}

struct TDisplacement {
    std::string Name;
    std::function<Extended(int i, int j, Extended zoom)> Z;
};

std::vector<TDisplacement> Displacements() {
    return {
        {"at rest", [](int, int, Extended) { return 0.0L; }},
        {"all +1e4", [](int, int, Extended) { return 1e4L; }},
        {"all -1e4", [](int, int, Extended) { return -1e4L; }},
        {"checkered 1e12", [](int i, int j, Extended) { return (i + j) % 2 ? 1e12L : -1e12L; }},
        {"ramp of 1e11", [](int i, int j, Extended) { return (i - j) * 1e11L; }},
        // Unturned, these put the depth exactly at the eye (-1500) ...
        {"all -1500 / zoom", [](int, int, Extended zoom) { return -1500 / zoom; }},
        // ... and turned half round, very near it.
        {"all +1500 / zoom", [](int, int, Extended zoom) { return 1500 / zoom; }},
        {"one at -1e300", [](int i, int j, Extended) { return i == 40 && j == 50 ? -1e300L : 0; }},
        // Beyond double: the rotation's double coordinates overflow.
        {"one at 1e4000", [](int i, int j, Extended) { return i == 46 && j == 46 ? 1e4000L : 0; }},
    };
}

TEST(ViewExtremes, FramesAreGivenUpOnlyWhereTheProjectionHasNoAnswer) {
    const int ends[] = {-180, -90, 0, 90, 180};
    auto net = MakeNet(BoundaryMode::DampedBorder);
    TFrames frames;
    int drawn = 0;
    int givenUp = 0;
    for (const TDisplacement& displacement : Displacements()) {
        for (int zoomPosition : {5, 30}) {
            const Extended zoom = static_cast<double>(zoomPosition / 10.0L);
            for (int j = 1; j <= net->GridSize; ++j) {
                for (int i = 1; i <= net->GridSize; ++i) {
                    net->Nodes(i, j).Z = displacement.Z(i, j, zoom);
                }
            }
            for (int x : ends) {
                for (int y : ends) {
                    for (int z : ends) {
                        const TViewControls controls = Bars(x, y, z, zoomPosition);
                        const int before = frames.Presented;
                        frames.View->UpdateRotation(*net, controls);
                        const bool presented = frames.Presented == before + 1;
                        ASSERT_EQ(presented, HasProjection(*net, zoomPosition))
                            << displacement.Name << ", zoom " << zoomPosition << ", bars " << x
                            << " " << y << " " << z;
                        (presented ? drawn : givenUp) += 1;
                        // What is drawn is Qt's lines, however far out the ends;
                        // every 16th frame, for time.
                        if (presented && drawn % 16 == 0) {
                            EXPECT_EQ(ImageOf(frames.Last), QtFrame(*frames.View, *net, true))
                                << displacement.Name << ", zoom " << zoomPosition << ", bars " << x
                                << " " << y << " " << z;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(drawn, 1000);
    EXPECT_GT(givenUp, 10);
}

// The unturned net with its depth at the eye: given up at both zoom ends.
TEST(ViewExtremes, DepthAtTheEyeGivesUpTheFrame) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    TFrames frames;
    for (auto [zoomPosition, z] : {std::pair{5, -3000.0L}, {30, -500.0L}}) {
        net->Nodes(30, 30).Z = z;
        frames.View->UpdateRotation(*net, Bars(0, 0, 0, zoomPosition));
        EXPECT_EQ(frames.Presented, 0) << zoomPosition;
    }
}

// A node behind the eye (d < 0) is projected through the centre, mirrored, and
// the lines to it are drawn as Qt draws them.
TEST(ViewExtremes, NodesBehindTheEyeAreDrawnMirrored) {
    auto net = MakeNet(BoundaryMode::LooseEnd);
    net->Nodes(40, 30).Z = -1000; // at zoom 3: zz = -3000, d = -1500
    TFrames frames;
    frames.View->UpdateRotation(*net, Bars(0, 0, 0, 30));
    ASSERT_EQ(frames.Presented, 1);
    // Rest position (32, -48), zoomed (96, -144), mirrored about (400, 300).
    EXPECT_EQ(frames.View->ScreenPoints(40, 30).X, 400 - 96);
    EXPECT_EQ(frames.View->ScreenPoints(40, 30).Y, 300 + 144);
    EXPECT_EQ(ImageOf(frames.Last), QtFrame(*frames.View, *net, true));
}

} // namespace
