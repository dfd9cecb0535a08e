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
        std::memcpy(Pixels.get(), picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
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
