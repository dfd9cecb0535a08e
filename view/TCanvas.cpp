// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TCanvas.h"

#include "view/VectorState.h"

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

std::size_t PixelBytes(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(std::uint32_t);
}

} // namespace

TCanvas::TCanvas(int width, int height)
    : Pixels(static_cast<std::uint32_t*>(AllocateLargeBlock(PixelBytes(width, height))),
             TFreeBlock{PixelBytes(width, height)}),
      Buffer{Pixels.get(), width, width, height},
      Picture(reinterpret_cast<uchar*>(Pixels.get()), width, height,
              static_cast<qsizetype>(width) * 4, QImage::Format_RGB32),
      PenPixel(PixelOf(0)), Changed(Whole()) {
    std::fill_n(Pixels.get(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                0xFFFFFFFFu);
}

TPixelRect TCanvas::Whole() const { return {0, 0, Buffer.Width - 1, Buffer.Height - 1}; }

void TCanvas::CopyRect(const QImage& picture, const TPixelRect& rect) {
    if (rect.Empty()) return;
    const auto columns = static_cast<std::size_t>(rect.Right - rect.Left + 1);
    const auto row = [this, &rect](int y) {
        return Pixels.get() + static_cast<std::ptrdiff_t>(y) * Buffer.Stride + rect.Left;
    };
    if (LastPictureFill) {
        // One row pixel by pixel, the others copied from it in wide blocks: a
        // fill writes the picture without reading it.
        std::fill_n(row(rect.Top), columns, *LastPictureFill);
        for (int y = rect.Top + 1; y <= rect.Bottom; ++y) {
            std::memcpy(row(y), row(rect.Top), columns * sizeof(std::uint32_t));
        }
        return;
    }
    for (int y = rect.Top; y <= rect.Bottom; ++y) {
        const auto* const source = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y));
        std::memcpy(row(y), source + rect.Left, columns * sizeof(std::uint32_t));
    }
}

void TCanvas::Draw(const QImage& picture, int x, int y) {
    if (x == 0 && y == 0 && picture.format() == QImage::Format_RGB32 &&
        picture.width() == Buffer.Width && picture.height() == Buffer.Height) {
        // Every frame starts from the same white picture. The cacheKey changes
        // whenever the picture's pixels do; until then the canvas differs from
        // it only where lines were drawn.
        if (LastPictureKey != picture.cacheKey()) {
            LastPictureKey = picture.cacheKey();
            LastPictureFill = SinglePixel(picture);
            Drawn = Whole();
        }
        CopyRect(picture, Drawn);
        // The lines come next.
        ClearUpperVectorHalves();
        Changed.Unite(Drawn);
        Drawn = TPixelRect{};
        return;
    }
    // Painting through Picture would detach it from the pixels while someone
    // holds a copy; a fresh window on them cannot.
    QImage target(reinterpret_cast<uchar*>(Pixels.get()), Buffer.Width, Buffer.Height,
                  Picture.bytesPerLine(), QImage::Format_RGB32);
    QPainter painter(&target);
    painter.drawImage(x, y, picture);
    LastPictureKey.reset();
    Changed = Whole();
}

QRect TCanvas::TakeChanged() {
    TPixelRect changed = Changed;
    changed.Unite(Drawn);
    Changed = TPixelRect{};
    if (changed.Empty()) return {};
    return QRect(QPoint(changed.Left, changed.Top), QPoint(changed.Right, changed.Bottom));
}

void TCanvas::SetPenColor(TColor color) { PenPixel = PixelOf(color); }

void TCanvas::MoveTo(std::int32_t x, std::int32_t y) {
    PenX = x;
    PenY = y;
}

void TCanvas::LineTo(std::int32_t x, std::int32_t y) {
    const TScreenPoint ends[] = {{PenX, PenY}, {x, y}};
    Polyline(ends, 1, 2);
}

void TCanvas::Polyline(const TScreenPoint* points, std::ptrdiff_t step, int count) {
    if (count <= 0) return;
    Drawn.Unite(RasterPolyline(Buffer, points, step, count, PenPixel));
    const TScreenPoint& last = points[step * (count - 1)];
    PenX = last.X;
    PenY = last.Y;
}
