// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "view/TScreenPoint.h"

// The pixels of a 32-bit picture; Stride counts pixels, not bytes.
struct TPixelBuffer {
    std::uint32_t* Bits = nullptr;
    std::ptrdiff_t Stride = 0;
    int Width = 0;
    int Height = 0;
};

// The pixels Left..Right x Top..Bottom, both ends included. The empty
// rectangle lies beyond every edge, so uniting with it needs no test.
struct TPixelRect {
    std::int32_t Left = std::numeric_limits<std::int32_t>::max();
    std::int32_t Top = std::numeric_limits<std::int32_t>::max();
    std::int32_t Right = std::numeric_limits<std::int32_t>::min();
    std::int32_t Bottom = std::numeric_limits<std::int32_t>::min();

    bool Empty() const { return Left > Right || Top > Bottom; }
    void Unite(const TPixelRect& other) {
        Left = std::min(Left, other.Left);
        Top = std::min(Top, other.Top);
        Right = std::max(Right, other.Right);
        Bottom = std::max(Bottom, other.Bottom);
    }
};

// The aliased one-pixel line from (x1, y1) to (x2, y2), both end pixels
// included, in `pixel`: the same pixels as QPainter::drawLine with a one-pixel
// pen of square cap on a picture of this size.

// The polyline through `count` points, `step` apart in memory: a line from
// each point to the next, each as above. Any 32-bit coordinates are fine; lines
// are clipped to the picture. Returns a rectangle that holds every pixel set.
TPixelRect RasterPolyline(const TPixelBuffer& target, const TScreenPoint* points,
                          std::ptrdiff_t step, int count, std::uint32_t pixel);
