// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/BuiltinPictures.h"
#include "resources/JpegDecoder.h"
#include "resources/JpegEncoder.h"

#include <QColor>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace {

QByteArray InfoJpeg() {
    QFile file(QStringLiteral(":/pictures/info.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage Decode(const QByteArray& bytes) {
    return DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
}

int Byte(const QByteArray& bytes, qsizetype at) {
    return static_cast<unsigned char>(bytes[at]);
}

struct TFrame {
    int Marker; // 0xC0 baseline, 0xC2 progressive, ...
    int Width;
    int Height;
    int Components;
};

// The frame header (SOFn) of a JPEG, found by walking its marker segments.
std::optional<TFrame> ReadFrame(const QByteArray& jpeg) {
    qsizetype at = 2;
    while (at + 9 < jpeg.size() && Byte(jpeg, at) == 0xFF) {
        const int marker = Byte(jpeg, at + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            return TFrame{marker, Byte(jpeg, at + 7) * 256 + Byte(jpeg, at + 8),
                          Byte(jpeg, at + 5) * 256 + Byte(jpeg, at + 6), Byte(jpeg, at + 9)};
        }
        at += 2 + Byte(jpeg, at + 2) * 256 + Byte(jpeg, at + 3);
    }
    return std::nullopt;
}

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

bool IsDark(QRgb pixel) {
    return qGray(pixel) < 128;
}
bool IsWhite(QRgb pixel) {
    return qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240;
}

int DarkInRow(const QImage& image, int y, int left, int right) {
    int dark = 0;
    for (int x = left; x < right; ++x)
        dark += IsDark(image.pixel(x, y)) ? 1 : 0;
    return dark;
}

// Whether some row of [top, bottom) is dark across the text column: a rule.
bool HasRule(const QImage& image, int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
        if (DarkInRow(image, y, 40, 685) > 600) return true;
    }
    return false;
}

void ExpectColour(const QImage& image, int x, int y, QColor expected) {
    const QColor actual = image.pixelColor(x, y);
    EXPECT_NEAR(actual.red(), expected.red(), 8) << x << "," << y;
    EXPECT_NEAR(actual.green(), expected.green(), 8) << x << "," << y;
    EXPECT_NEAR(actual.blue(), expected.blue(), 8) << x << "," << y;
}

TEST(InfoPicture, IsABuiltInBaselineJfifJpeg) {
    const QByteArray jpeg = InfoJpeg();
    ASSERT_GT(jpeg.size(), 1000);
    EXPECT_TRUE(jpeg.startsWith(QByteArray("\xFF\xD8\xFF\xE0", 4)));
    EXPECT_EQ(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
    const std::optional<TFrame> frame = ReadFrame(jpeg);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->Marker, 0xC0);
    EXPECT_EQ(frame->Width, 725);
    EXPECT_EQ(frame->Height, 539);
    EXPECT_EQ(frame->Components, 3);
}

TEST(InfoPicture, IsBlackTextOnAWhitePage) {
    const QImage page = LoadInfoPicture();
    ASSERT_EQ(page.size(), QSize(725, 539));
    EXPECT_EQ(page.format(), QImage::Format_RGB888);
    for (const QPoint corner : {QPoint(0, 0), QPoint(724, 0), QPoint(0, 538), QPoint(724, 538)}) {
        EXPECT_TRUE(IsWhite(page.pixel(corner))) << corner.x() << "," << corner.y();
    }
    long white = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            white += IsWhite(page.pixel(x, y)) ? 1 : 0;
    }
    EXPECT_GT(white, 725L * 539 * 3 / 4);
    int titleInk = 0;
    for (int y = 40; y < 70; ++y)
        titleInk += DarkInRow(page, y, 260, 465);
    EXPECT_GT(titleInk, 300);
    EXPECT_EQ(DarkInRow(page, 55, 0, 200), 0) << "the title is centred";
    EXPECT_TRUE(HasRule(page, 70, 100)) << "rule under the title";
    EXPECT_TRUE(HasRule(page, 480, 510)) << "closing rule";
    int bodyInk = 0;
    for (int y = 100; y < 470; ++y)
        bodyInk += DarkInRow(page, y, 40, 685);
    EXPECT_GT(bodyInk, 10000);
}

TEST(BackgroundPicture, IsAWhite800By600PictureOf24Bits) {
    const QImage background = LoadBackgroundPicture();
    ASSERT_EQ(background.size(), QSize(800, 600));
    EXPECT_EQ(background.format(), QImage::Format_RGB888);
    int other = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x)
            other += background.pixel(x, y) == qRgb(255, 255, 255) ? 0 : 1;
    }
    EXPECT_EQ(other, 0);
}

TEST(JpegDecoder, RefusesDamagedDataWithoutEndingTheProcess) {
    const QByteArray jpeg = InfoJpeg();
    ASSERT_FALSE(Decode(jpeg).isNull());

    EXPECT_TRUE(Decode(jpeg.left(jpeg.size() / 2)).isNull()) << "cut in the middle of the scan";
    EXPECT_TRUE(Decode(jpeg.left(jpeg.size() - 2)).isNull()) << "end marker missing";
    EXPECT_TRUE(Decode(jpeg.left(600)).isNull()) << "only the header";
    EXPECT_TRUE(DecodeInfoPicture(jpeg.left(jpeg.size() / 2)).isNull());

    std::mt19937 random(2024);
    QByteArray garbage(4096, '\0');
    for (char& byte : garbage)
        byte = static_cast<char>(random() & 0xFF);
    EXPECT_TRUE(Decode(garbage).isNull()) << "not a JPEG";
    EXPECT_TRUE(Decode(QByteArray("\xFF\xD8", 2) + garbage).isNull()) << "JPEG start, then garbage";

    EXPECT_TRUE(Decode(QByteArray()).isNull());
    EXPECT_TRUE(DecodeJpeg(nullptr, 0).isNull());
    EXPECT_TRUE(DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.constData()), 0).isNull());
    EXPECT_TRUE(DecodeInfoPicture(QByteArray()).isNull());
}

TEST(JpegDecoder, RefusesPicturesLargerThanTheLimit) {
    EXPECT_EQ(Decode(EncodeJpeg(Filled(MaxJpegSide, 8, Qt::white), 50)).size(),
              QSize(MaxJpegSide, 8));
    EXPECT_TRUE(Decode(EncodeJpeg(Filled(MaxJpegSide + 1, 8, Qt::white), 50)).isNull());
    EXPECT_TRUE(Decode(EncodeJpeg(Filled(8, MaxJpegSide + 1, Qt::white), 50)).isNull());
}

TEST(InfoPicture, RefusesASoundJpegOfAnotherSize) {
    for (const QSize size : {QSize(100, 50), QSize(539, 725), QSize(726, 539)}) {
        const QByteArray jpeg = EncodeJpeg(Filled(size.width(), size.height(), Qt::white), 90);
        EXPECT_EQ(Decode(jpeg).size(), size);
        EXPECT_TRUE(DecodeInfoPicture(jpeg).isNull()) << size.width() << "x" << size.height();
    }
}

TEST(JpegDecoder, GivesBackTheEncodedColours) {
    const QColor colours[] = {QColor(220, 30, 30), QColor(30, 200, 60), QColor(20, 40, 210),
                              QColor(200, 180, 40)};
    QImage image(32, 32, QImage::Format_RGB32);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                image.setPixelColor(x + 16 * (quadrant % 2), y + 16 * (quadrant / 2),
                                    colours[quadrant]);
            }
        }
    }
    const QByteArray jpeg = EncodeJpeg(image, 95);
    ASSERT_EQ(ReadFrame(jpeg)->Components, 3);
    const QImage decoded = Decode(jpeg);
    ASSERT_EQ(decoded.size(), QSize(32, 32));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB888);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        ExpectColour(decoded, 8 + 16 * (quadrant % 2), 8 + 16 * (quadrant / 2), colours[quadrant]);
    }
}

TEST(JpegDecoder, TurnsGreyscaleIntoRgb) {
    QImage grey(16, 16, QImage::Format_Grayscale8);
    grey.fill(QColor(40, 40, 40));
    for (int y = 0; y < 16; ++y) {
        for (int x = 8; x < 16; ++x)
            grey.setPixelColor(x, y, QColor(200, 200, 200));
    }
    const QByteArray jpeg = EncodeJpeg(grey, 95);
    ASSERT_EQ(ReadFrame(jpeg)->Components, 1);
    const QImage decoded = Decode(jpeg);
    ASSERT_EQ(decoded.size(), QSize(16, 16));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB888);
    ExpectColour(decoded, 2, 8, QColor(40, 40, 40));
    ExpectColour(decoded, 13, 8, QColor(200, 200, 200));
}

} // namespace
