// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TPicture.h"

#include "sim/LargeBlock.h"

#include <algorithm>

namespace {

std::size_t PixelCount(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

std::uint32_t* AllocatePixels(int width, int height) {
    return static_cast<std::uint32_t*>(
        AllocateLargeBlock(PixelCount(width, height) * sizeof(std::uint32_t)));
}

} // namespace

void TPicture::TFreeBlock::operator()(std::uint32_t* pixels) const noexcept {
    FreeLargeBlock(pixels, Bytes);
}

TPicture::TPicture(int width, int height, std::uint32_t fill)
    : Pixels(AllocatePixels(width, height),
             TFreeBlock{PixelCount(width, height) * sizeof(std::uint32_t)}),
      Buffer{Pixels.get(), width, width, height} {
    std::fill_n(Pixels.get(), Count(), fill);
}

TPicture::TPicture(const TPicture& other)
    : Pixels(AllocatePixels(other.Width(), other.Height()), TFreeBlock{other.Bytes()}),
      Buffer{Pixels.get(), other.Width(), other.Width(), other.Height()} {
    std::copy_n(other.Bits(), Count(), Pixels.get());
}

std::size_t TPicture::Count() const {
    return PixelCount(Buffer.Width, Buffer.Height);
}

bool operator==(const TPicture& a, const TPicture& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Bits(), a.Bits() + a.Count(), b.Bits());
}
