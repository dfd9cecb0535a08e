// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LineRaster.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// A picture of 32-bit pixels 0xFFRRGGBB, row after row with no gap: the layout
// a toolkit's 32-bit RGB image (Qt's Format_RGB32) can wrap without a copy.
// Its pixels live in one large block, as every pass walks through them.
class TPicture {
  public:
    TPicture(int width, int height, std::uint32_t fill);
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other) { return *this = TPicture(other); }
    TPicture(TPicture&&) noexcept = default;
    TPicture& operator=(TPicture&&) noexcept = default;

    int Width() const { return Buffer.Width; }
    int Height() const { return Buffer.Height; }
    std::uint32_t* Bits() { return Pixels.get(); }
    const std::uint32_t* Bits() const { return Pixels.get(); }
    std::uint32_t* Row(int y) {
        return Pixels.get() + static_cast<std::ptrdiff_t>(y) * Buffer.Stride;
    }
    const std::uint32_t* Row(int y) const {
        return Pixels.get() + static_cast<std::ptrdiff_t>(y) * Buffer.Stride;
    }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    std::size_t Count() const;
    std::size_t Bytes() const { return Count() * sizeof(std::uint32_t); }
    // The pixels as the line raster writes them.
    const TPixelBuffer& Target() { return Buffer; }

    friend bool operator==(const TPicture& a, const TPicture& b);

  private:
    struct TFreeBlock {
        std::size_t Bytes;
        void operator()(std::uint32_t* pixels) const noexcept;
    };
    std::unique_ptr<std::uint32_t[], TFreeBlock> Pixels;
    TPixelBuffer Buffer;
};
