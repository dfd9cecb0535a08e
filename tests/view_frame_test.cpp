// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewQtTesting.h"

#include "view/Projection.h"

#include <gtest/gtest.h>

namespace {

TEST(Frame, ViewBitmapStartsWhite) {
    TFrames frames;
    EXPECT_EQ(frames.View->Bitmap().Width(), 800);
    EXPECT_EQ(frames.View->Bitmap().Height(), 600);
    EXPECT_EQ(frames.View->Bitmap(), WhitePicture());
}

// Before the first rotation ViewNodes holds zeros: every point lands on the
// centre, and each zero-length line sets that one pixel.
TEST(Frame, BeforeTheFirstRotationAllPointsAreTheCentre) {
    auto net = std::make_unique<TNet>();
    TFrames frames;
    ASSERT_TRUE(frames.View->DrawGrid(*net, Bars()));
    for (int j = 1; j <= net->GridSize; ++j) {
        for (int i = 1; i <= net->GridSize; ++i) {
            ASSERT_EQ(frames.View->ScreenPoints(i, j).X, 400);
            ASSERT_EQ(frames.View->ScreenPoints(i, j).Y, 300);
        }
    }
    QImage expected = WhiteImage();
    expected.setPixel(400, 300, qRgb(0, 0, 255));
    EXPECT_EQ(ImageOf(frames.Last), expected);
}

// The frames hold the visible 71 x 71 nodes only, as 71 lines along x and, with
// the cross grid, 71 along y, pixel for pixel as QPainter draws those lines.
TEST(Frame, MeshIsQtsLinesOfTheVisibleNodes) {
    for (BoundaryMode mode : {BoundaryMode::DampedBorder, BoundaryMode::LooseEnd}) {
        auto net = RunningNet(mode, 300);
        for (bool crossGrid : {true, false}) {
            for (int zoom : {5, 11, 30}) {
                TFrames frames;
                const TViewControls controls{.RotationX = 60,
                                             .RotationY = 20,
                                             .RotationZ = -35,
                                             .ZoomPosition = zoom,
                                             .CrossGrid = crossGrid};
                frames.View->UpdateRotation(*net, controls);
                ASSERT_EQ(frames.Presented, 1);
                EXPECT_EQ(frames.Last, frames.View->Bitmap());
                EXPECT_EQ(ImageOf(frames.Last), QtFrame(*frames.View, *net, crossGrid))
                    << "mode " << static_cast<int>(mode) << " cross grid " << crossGrid << " zoom "
                    << zoom;
            }
        }
    }
}

// One view drawing frame after frame of a running net, turned, zoomed far past
// the picture's edges and back, with and without the cross grid, and with a
// frame given up on the way: every frame is Qt's mesh on a white picture, as
// if nothing had been drawn before it. ChangedRect holds every pixel in which a
// frame differs from the one presented before it, the whole picture at first.
TEST(Frame, EachFrameOfARunIsDrawnOnAWhitePicture) {
    auto net = RunningNet(BoundaryMode::DampedBorder, 100);
    TFrames frames;
    TPicture shown = WhitePicture();
    const int zooms[] = {11, 30, 5, 20, 11, 30};
    for (int frame = 0; frame < 12; ++frame) {
        const TViewControls controls{.RotationX = 60 - 17 * frame,
                                     .RotationY = 9 * frame,
                                     .RotationZ = frame % 2 ? -40 : 0,
                                     .ZoomPosition = zooms[frame % 6],
                                     .CrossGrid = frame % 4 != 3};
        RunPasses(*net,
                  {.Excitation = {.Excitation = true, .FrequencyPosition = 800, .Source1 = true}},
                  7);
        if (frame == 5) { // a node in the eye's plane: the frame is given up
            const TNode kept = net->ViewNodes(40, 40);
            net->ViewNodes(40, 40) = {5, 5, -1500, 0}; // zoom 1.0: depth 1500 - 1500
            ASSERT_FALSE(frames.View->DrawGrid(*net, Bars(60, 0, 0, 10)));
            net->ViewNodes(40, 40) = kept;
        }
        frames.View->UpdateRotation(*net, controls);
        ASSERT_EQ(frames.Presented, frame + 1);
        ASSERT_EQ(ImageOf(frames.Last), QtFrame(*frames.View, *net, controls.CrossGrid))
            << "frame " << frame;

        const QRect changed = QRectOf(frames.View->ChangedRect());
        if (frame == 0) {
            EXPECT_EQ(changed, QRect(0, 0, 800, 600));
        }
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                if (frames.Last.Pixel(x, y) != shown.Pixel(x, y)) {
                    ASSERT_TRUE(changed.contains(x, y))
                        << "frame " << frame << " pixel " << x << "," << y;
                }
            }
        }
        shown = frames.Last;
    }
}

TEST(Frame, MarginNodesAreProjectedButNotDrawn) {
    auto net = RunningNet(BoundaryMode::DampedBorder, 50);
    TFrames frames;
    frames.View->UpdateRotation(*net, Bars());
    const TPicture picture = frames.Last;
    for (int k = 1; k <= 91; ++k) { // throw the whole margin across the picture
        for (auto [i, j] : {std::pair{k, 1}, {k, 10}, {1, k}, {10, k}, {k, 82}, {91, k}}) {
            net->ViewNodes(i, j) = {static_cast<Extended>(400 * (k % 3 - 1)),
                                    static_cast<Extended>(300 * (k % 2)), 100, 0};
        }
    }
    ASSERT_TRUE(frames.View->DrawGrid(*net, Bars()));
    TScreenPoint corner;
    ASSERT_TRUE(ProjectNode(net->ViewNodes(1, 1), ZoomFromPosition(11), 1500, corner));
    EXPECT_EQ(frames.View->ScreenPoints(1, 1).X, corner.X);
    EXPECT_EQ(frames.View->ScreenPoints(1, 1).Y, corner.Y);
    EXPECT_EQ(frames.Last, picture);
}

// Nodes far outside the frame and behind the eye: their lines are still Qt's.
TEST(Frame, FarAndMirroredPointsAreClippedLikeQt) {
    auto net = RunningNet(BoundaryMode::LooseEnd, 100);
    TFrames frames;
    frames.View->UpdateRotation(*net, Bars(60, 0, 0, 30));
    for (int k = 1; k <= 71; k += 3) {
        // just in front of the eye, and behind it
        net->ViewNodes(k, 36).Z = Extended{-499.99} - static_cast<Extended>(k) * Extended{1e-4};
        net->ViewNodes(36, k).Z = -800;
    }
    ASSERT_TRUE(frames.View->DrawGrid(*net, Bars(60, 0, 0, 30)));
    EXPECT_EQ(ImageOf(frames.Last), QtFrame(*frames.View, *net, true));
}

// A node in the eye's plane or projected beyond 64 bits gives up the frame:
// nothing is presented and the last picture stays.
TEST(Frame, FailedProjectionKeepsTheLastFrame) {
    auto net = RunningNet(BoundaryMode::DampedBorder, 30);
    const TViewControls zoomOne = Bars(60, 0, 0, 10);
    TFrames frames;
    frames.View->UpdateRotation(*net, zoomOne);
    const TPicture last = frames.Last;
    for (const TNode bad : {TNode{5, 5, -1500, 0}, TNode{1e30, 0, 0, 0}}) {
        for (auto [i, j] : {std::pair{46, 46}, {2, 2}}) { // visible, and in the margin
            const TNode kept = net->ViewNodes(i, j);
            net->ViewNodes(i, j) = bad;
            EXPECT_FALSE(frames.View->DrawGrid(*net, zoomOne));
            EXPECT_EQ(frames.Presented, 1);
            EXPECT_EQ(frames.View->Bitmap(), last);
            net->ViewNodes(i, j) = kept;
        }
    }
    EXPECT_TRUE(frames.View->DrawGrid(*net, zoomOne));
    EXPECT_EQ(frames.Presented, 2);
}

} // namespace
