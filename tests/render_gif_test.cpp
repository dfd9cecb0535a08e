// SPDX-License-Identifier: GPL-3.0-or-later
// The animated GIF decoded again with giflib, laid frame over frame as a
// viewer does, against the PNG frames of the same passes.

#include "GifTesting.h"
#include "RenderTesting.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage Png(const QString& folder, long long pass) {
    return QImage(QDir(folder).filePath(
                      QStringLiteral("frame-%1.png").arg(pass, 6, 10, QLatin1Char('0'))))
        .convertToFormat(QImage::Format_RGB32);
}

TEST(Gif, EveryFrameDecodedEqualsThePngOfItsPassAndLaterFramesWriteLess) {
    QTemporaryDir folder;
    const QString gif = folder.filePath("eng.gif");
    ASSERT_EQ(Render({"--example", "3", "--iterations", "120", "--every", "8", "--gif", gif,
                      "--out-dir", folder.path(), "--fps", "30"}),
              RenderSucceeded);
    const TDecodedGif decoded = Decode(gif);
    ASSERT_EQ(decoded.Frames.size(), 15u) << "passes 8, 16, .., 120";
    EXPECT_TRUE(decoded.LoopsForever);
    for (std::size_t k = 0; k < decoded.Frames.size(); ++k) {
        const QImage png = Png(folder.path(), 8 * static_cast<long long>(k + 1));
        ASSERT_EQ(png.size(), QSize(800, 600));
        EXPECT_TRUE(decoded.Frames[k] == png) << "frame " << k;
    }
    EXPECT_EQ(decoded.Rects.front(), QRect(0, 0, 800, 600));
    for (std::size_t k = 1; k < decoded.Rects.size(); ++k) {
        EXPECT_LT(decoded.Rects[k].width() * decoded.Rects[k].height(), 800 * 600 / 2)
            << "frame " << k;
    }
    // 30 frames a second in whole hundredths: 3, 4, 3, 3, 4, 3, ... ten frames make 33 and a third.
    const std::vector<int> firstDelays(decoded.Delays.begin(), decoded.Delays.begin() + 6);
    EXPECT_EQ(firstDelays, (std::vector<int>{3, 4, 3, 3, 4, 3}));
    int total = 0;
    for (int delay : decoded.Delays)
        total += delay;
    EXPECT_EQ(total, 50) << "15 frames at 30 per second last half a second";
}

// Where the pictures are cut, every drawn pixel of the frames written lies
// inside, and the margin around the drawn part is exactly 8 pixels wherever the
// frame's edge does not come first.
TEST(Gif, CropKeepsEveryDrawnPixelWithAMarginOfEight) {
    QTemporaryDir folder;
    const QString gif = folder.filePath("front.gif");
    const QString last = folder.filePath("last.png");
    ASSERT_EQ(Render({"--example", "7", "--iterations", "150", "--strobe", "--gif", gif,
                      "--out-dir", folder.path(), "--crop", "--out", last}),
              RenderSucceeded);
    // Omega 7.7, dt 0.01725 (cross grid): a period is 2 pi / 7.7 = 0.815998, that is
    // 47.30 passes; pass n runs at (n - 1) * dt, so the phase comes round at
    // passes 1 + 48 = 49, 1 + ceil(94.61) = 96 and 1 + ceil(141.91) = 143.
    EXPECT_EQ(FilesIn(folder.path()), (QStringList{"frame-000049.png", "frame-000096.png",
                                                   "frame-000143.png", "front.gif", "last.png"}));
    const TDecodedGif decoded = Decode(gif);
    ASSERT_EQ(decoded.Frames.size(), 3u);
    const QImage first = Png(folder.path(), 49);
    EXPECT_LT(first.width(), 800);
    EXPECT_LT(first.height(), 600);
    int left = first.width(), right = -1, top = first.height(), bottom = -1;
    const long long passes[] = {49, 96, 143};
    std::vector<QImage> pictures;
    for (std::size_t k = 0; k < 3; ++k) {
        pictures.push_back(Png(folder.path(), passes[k]));
        EXPECT_TRUE(decoded.Frames[k] == pictures.back()) << "frame " << k;
    }
    // The last frame (--out), that of pass 150, is cut alike.
    pictures.push_back(QImage(last).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(pictures.back().size(), first.size());
    for (const QImage& png : pictures) {
        for (int y = 0; y < png.height(); ++y) {
            for (int x = 0; x < png.width(); ++x) {
                if (png.pixel(x, y) == qRgb(255, 255, 255)) continue;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(left, 8);
    EXPECT_EQ(top, 8);
    EXPECT_EQ(first.width() - 1 - right, 8);
    EXPECT_EQ(first.height() - 1 - bottom, 8);
}

} // namespace
