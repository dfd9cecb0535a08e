// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

// $00BBGGRR to the 0xAARRGGBB of a 32-bit RGB pixel.
std::uint32_t PixelOf(TColor color) {
    const std::uint32_t red = color & 0xFFu;
    const std::uint32_t green = (color >> 8) & 0xFFu;
    const std::uint32_t blue = (color >> 16) & 0xFFu;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

// The one pixel value of an RGB32 picture, if all its pixels are alike.
std::optional<std::uint32_t> SinglePixel(const QImage& picture) {
    const auto* const first = reinterpret_cast<const std::uint32_t*>(picture.constBits());
    const auto count = static_cast<std::size_t>(picture.sizeInBytes()) / sizeof(std::uint32_t);
    if (count == 0 || !std::all_of(first, first + count, [first](std::uint32_t p) { return p == *first; })) {
        return std::nullopt;
    }
    return *first;
}

} // namespace

TCanvas::TCanvas(int width, int height)
    : Pixels(std::make_unique<std::uint32_t[]>(static_cast<std::size_t>(width) *
                                               static_cast<std::size_t>(height))),
      Buffer{Pixels.get(), width, width, height},
      Picture(reinterpret_cast<uchar*>(Pixels.get()), width, height,
              static_cast<qsizetype>(width) * 4, QImage::Format_RGB32),
      PenPixel(PixelOf(0)) {
    std::fill_n(Pixels.get(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                0xFFFFFFFFu);
}

void TCanvas::Draw(const QImage& picture, int x, int y) {
    if (x == 0 && y == 0 && picture.format() == QImage::Format_RGB32 &&
        picture.width() == Buffer.Width && picture.height() == Buffer.Height &&
        picture.bytesPerLine() == Picture.bytesPerLine()) {
        // Every frame starts from the same white picture: a fill writes it without
        // reading it, at a third of the time of the copy. The cacheKey changes
        // whenever the picture's pixels do.
        if (LastPictureKey != picture.cacheKey()) {
            LastPictureKey = picture.cacheKey();
            LastPictureFill = SinglePixel(picture);
        }
        if (LastPictureFill) {
            // One row pixel by pixel, the others copied from it in wide blocks.
            const auto width = static_cast<std::size_t>(Buffer.Width);
            std::fill_n(Pixels.get(), width, *LastPictureFill);
            for (int row = 1; row < Buffer.Height; ++row) {
                std::memcpy(Pixels.get() + static_cast<std::size_t>(row) * width, Pixels.get(),
                            width * sizeof(std::uint32_t));
            }
        } else {
            std::memcpy(Pixels.get(), picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
        }
        return;
    }
    // Painting through Picture would detach it from the pixels while someone
    // holds a copy; a fresh window on them cannot.
    QImage target(reinterpret_cast<uchar*>(Pixels.get()), Buffer.Width, Buffer.Height,
                  Picture.bytesPerLine(), QImage::Format_RGB32);
    QPainter painter(&target);
    painter.drawImage(x, y, picture);
}

void TCanvas::SetPenColor(TColor color) { PenPixel = PixelOf(color); }

void TCanvas::MoveTo(std::int32_t x, std::int32_t y) {
    PenX = x;
    PenY = y;
}

void TCanvas::LineTo(std::int32_t x, std::int32_t y) {
    RasterLine(Buffer, PenX, PenY, x, y, PenPixel);
    PenX = x;
    PenY = y;
}
