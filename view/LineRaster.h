// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// The pixels of a 32-bit picture; Stride counts pixels, not bytes.
struct TPixelBuffer {
    std::uint32_t* Bits = nullptr;
    std::ptrdiff_t Stride = 0;
    int Width = 0;
    int Height = 0;
};

// Sets the pixels of the aliased one-pixel line from (x1, y1) to (x2, y2), both
// end pixels included, to `pixel`: the same pixels as QPainter::drawLine with a
// one-pixel pen of square cap on a picture of this size. Any 32-bit coordinates
// are fine; the line is clipped to the picture.
void RasterLine(const TPixelBuffer& target, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                std::int32_t y2, std::uint32_t pixel);
