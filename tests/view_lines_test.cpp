// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewQtTesting.h"

#include "view/TCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

namespace {

constexpr int W = 64; // small pictures keep thousands of comparisons quick
constexpr int H = 48;
constexpr TColor Blue = 0xFF0000;

TPicture WhiteCanvas(int width, int height) {
    return TPicture(width, height, 0xFFFFFFFFu);
}

QImage CanvasLines(int width, int height, const std::vector<TSegment>& segments) {
    TCanvas canvas(WhiteCanvas(width, height));
    canvas.SetPenColor(Blue);
    for (const auto& [from, to] : segments) {
        canvas.MoveTo(from.x(), from.y());
        canvas.LineTo(to.x(), to.y());
    }
    return ImageOf(canvas.Picture()).copy();
}

// Holds the canvas's lines against QPainter's, one segment at a time.
void ExpectQtPixels(const std::vector<TSegment>& segments, int width = W, int height = H) {
    int failures = 0;
    for (const TSegment& segment : segments) {
        const QImage ours = CanvasLines(width, height, {segment});
        const QImage qt = QtLines(width, height, {segment});
        if (ours != qt && ++failures <= 5) {
            ADD_FAILURE() << "(" << segment.first.x() << ", " << segment.first.y() << ") to ("
                          << segment.second.x() << ", " << segment.second.y()
                          << "): " << DifferingPixels(ours, qt) << " pixels differ";
        }
    }
    EXPECT_EQ(failures, 0) << "of " << segments.size() << " segments";
}

template <typename Pick> std::vector<TSegment> Segments(int count, unsigned seed, Pick pick) {
    std::mt19937 random(seed);
    std::vector<TSegment> segments;
    for (int k = 0; k < count; ++k)
        segments.push_back(pick(random));
    return segments;
}

int Uniform(std::mt19937& random, long long low, long long high) {
    return static_cast<int>(std::uniform_int_distribution<long long>(low, high)(random));
}

TEST(Lines, SameAsQtInsideThePicture) {
    ExpectQtPixels(Segments(4000, 1, [](std::mt19937& r) {
        return TSegment{{Uniform(r, 0, W - 1), Uniform(r, 0, H - 1)},
                        {Uniform(r, 0, W - 1), Uniform(r, 0, H - 1)}};
    }));
}

TEST(Lines, SameAsQtAcrossTheBorder) {
    ExpectQtPixels(Segments(4000, 2, [](std::mt19937& r) {
        return TSegment{{Uniform(r, -W, 2 * W), Uniform(r, -H, 2 * H)},
                        {Uniform(r, -W, 2 * W), Uniform(r, -H, 2 * H)}};
    }));
}

// Lines through a point of the picture with both ends far away, up to the
// limits of 32 bits: their cut ends carry the rounding that decides pixels.
TEST(Lines, SameAsQtFromFarOutside) {
    for (const long long reach : {3000LL, 100000LL, 2147483647LL}) {
        ExpectQtPixels(Segments(3000, 3, [reach](std::mt19937& r) {
            const long long cx = Uniform(r, -2, W + 2);
            const long long cy = Uniform(r, -2, H + 2);
            const long long ax = Uniform(r, -reach, reach);
            const long long ay = Uniform(r, -reach, reach);
            const double back = std::uniform_real_distribution<double>(0.0, 1.0)(r);
            const auto clamp = [](long long v) {
                return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
            };
            return TSegment{{clamp(cx + ax), clamp(cy + ay)},
                            {clamp(cx - static_cast<long long>(static_cast<double>(ax) * back)),
                             clamp(cy - static_cast<long long>(static_cast<double>(ay) * back))}};
        }));
    }
}

TEST(Lines, SameAsQtAtTheLimitsOf32Bits) {
    const std::vector<int> values{INT_MIN, INT_MIN + 1, -1, 0, 1, W / 2, W, INT_MAX - 1, INT_MAX};
    std::vector<TSegment> segments;
    for (int x1 : values) {
        for (int y1 : values) {
            for (const QPoint& to : {QPoint(INT_MAX, INT_MIN), QPoint(INT_MIN, INT_MAX),
                                     QPoint(INT_MAX, INT_MAX), QPoint(W / 3, H / 3)}) {
                segments.emplace_back(QPoint(x1, y1), to);
            }
        }
    }
    ExpectQtPixels(segments);
}

TEST(Lines, SameAsQtForStraightDiagonalAndPointLines) {
    std::vector<TSegment> segments;
    for (int d = 0; d <= 70; d += 7) {
        const QPoint p(5, 40);
        for (const QPoint& to : {p + QPoint(d, 0), p - QPoint(d, 0), p + QPoint(0, -d),
                                 p + QPoint(d, -d), p + QPoint(-d, -d), p + QPoint(d, d)}) {
            segments.emplace_back(p, to);
            segments.emplace_back(to, p);
        }
    }
    ExpectQtPixels(segments);
}

// A polyline of LineTo is the union of its segments as QPainter::drawLine
// draws them; the pen moves on to each end.
TEST(Lines, PolylineIsTheUnionOfQtSegments) {
    std::mt19937 random(5);
    for (int k = 0; k < 200; ++k) {
        std::vector<QPoint> points;
        for (int p = 0; p < 71; ++p)
            points.emplace_back(Uniform(random, -20, W + 20), Uniform(random, -20, H + 20));
        TCanvas canvas(WhiteCanvas(W, H));
        canvas.SetPenColor(Blue);
        canvas.MoveTo(points[0].x(), points[0].y());
        for (std::size_t p = 1; p < points.size(); ++p)
            canvas.LineTo(points[p].x(), points[p].y());
        std::vector<TSegment> segments;
        AddPolyline(segments, points);
        ASSERT_EQ(ImageOf(canvas.Picture()), QtLines(W, H, segments)) << "polyline " << k;
    }
}

TEST(Lines, PenColourIsBbggrr) {
    TCanvas canvas(WhiteCanvas(4, 1));
    canvas.SetPenColor(0x00123456); // blue 0x12, green 0x34, red 0x56
    canvas.MoveTo(0, 0);
    canvas.LineTo(0, 0);
    canvas.SetPenColor(Blue);
    canvas.MoveTo(3, 0);
    canvas.LineTo(3, 0);
    EXPECT_EQ(canvas.Picture().Pixel(0, 0), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(canvas.Picture().Pixel(3, 0), qRgb(0, 0, 255));
}

// Lines of every kind drawn over a background, a polyline at a time from points
// spaced out in memory: each frame is Qt's segments on that background, and
// clearing gives it back exactly, however little of it is copied (or filled in,
// for one of a single colour). TakeChanged holds every pixel that changed.
TEST(Canvas, ClearingTakesBackEveryLine) {
    QImage gradient(W, H, QImage::Format_RGB32);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x)
            gradient.setPixel(x, y, qRgb(4 * x, 5 * y, 128));
    }
    std::mt19937 random(11);
    for (const QImage& picture : {WhiteImage(W, H), gradient}) {
        TCanvas canvas(PictureOf(picture));
        canvas.SetPenColor(Blue);
        EXPECT_EQ(ImageOf(canvas.Picture()), picture);
        EXPECT_EQ(QRectOf(canvas.TakeChanged()), QRect(0, 0, W, H));
        QImage before = picture;
        for (int frame = 0; frame < 60; ++frame) {
            // Some frames wholly inside, some across the border, some from far out.
            const int reach = frame % 3 == 0 ? 0 : frame % 3 == 1 ? 30 : 1000000;
            std::vector<TScreenPoint> spaced(3 * 12);
            std::vector<QPoint> points;
            for (std::size_t k = 0; k < spaced.size(); k += 3) {
                spaced[k] = {Uniform(random, -reach, W - 1 + reach),
                             Uniform(random, -reach, H - 1 + reach)};
                points.emplace_back(spaced[k].X, spaced[k].Y);
            }
            canvas.Polyline(spaced.data(), 3, 12);
            std::vector<TSegment> segments;
            AddPolyline(segments, points);
            QImage expected = picture;
            QPainter painter(&expected);
            painter.setPen(QColor(0, 0, 255));
            for (const auto& [from, to] : segments)
                painter.drawLine(from, to);
            painter.end();
            ASSERT_EQ(ImageOf(canvas.Picture()), expected) << "frame " << frame;

            const QRect changed = QRectOf(canvas.TakeChanged());
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    if (canvas.Picture().Pixel(x, y) != before.pixel(x, y)) {
                        ASSERT_TRUE(changed.contains(x, y))
                            << "frame " << frame << " pixel " << x << "," << y;
                    }
                }
            }
            canvas.Clear();
            ASSERT_EQ(ImageOf(canvas.Picture()), picture) << "frame " << frame;
            before = expected;
        }
        canvas.TakeChanged();
        EXPECT_TRUE(canvas.TakeChanged().Empty());
    }
}

// An image made once on the canvas's pixels shows every line drawn after it.
TEST(Canvas, AnImageOnThePixelsShowsTheDrawing) {
    TCanvas canvas(WhiteCanvas(W, H));
    canvas.SetPenColor(Blue);
    const QImage kept = ImageOf(canvas.Picture());
    canvas.MoveTo(1, 1);
    canvas.LineTo(40, 30);
    EXPECT_EQ(kept, QtLines(W, H, {{QPoint(1, 1), QPoint(40, 30)}}));
}

} // namespace
