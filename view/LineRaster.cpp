// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/LineRaster.h"

#include <algorithm>
#include <utility>

// The pixels are those of Qt's raster engine for aliased cosmetic lines, found by
// holding this code against QPainter on hundreds of thousands of segments:
//
// - Coordinates are taken in 1/64 pixel, truncated towards zero.
// - The major axis is x when |dx| >= |dy|, else y; the walk runs towards the
//   larger major coordinate whichever end the line starts from.
// - The minor coordinate is carried in 1/65536 pixel and grows by the slope
//   (dminor << 16) / dmajor, truncated towards zero, at every step. The error of
//   that truncation piles up along the line and decides many pixels: an exact
//   rational walk differs from Qt on most long lines.
// - The square cap starts the walk half a pixel before the first end; pixel
//   columns floor(first) .. floor(last) are set. A rising line takes the pixel
//   under the centre of each column, a falling one the pixel at the column's
//   left edge.
// - A line that leaves the rectangle one pixel larger than the picture on every
//   side is first cut back to it in double precision, moving the ends one after
//   the other with the slope of what is left. The cut ends are not whole pixels,
//   so their rounding to 1/64 moves the rest of the line: pixel for pixel, a line
//   that crosses the border is that of its cut ends, not of the whole line.

namespace {

constexpr std::int64_t SubPixels = 64; // 1/64 pixel: the grid of the end points
constexpr std::int64_t HalfPixel = 32;
constexpr int MinorShift = 16; // the minor coordinate in 1/65536 pixel
constexpr int SubToMinorShift = MinorShift - 6;

// Steps along the major axis, leaving out the pixels outside the picture.
// Returns the rectangle of the columns walked and the rows passed on the way,
// inside the picture; the minor coordinate moves one way only, so these lie
// between the rows of the first and the last column.
template <bool XMajor>
TPixelRect Walk(const TPixelBuffer& target, std::int64_t first, std::int64_t last,
                std::int64_t minor, std::int64_t slope, std::uint32_t pixel) {
    const std::int64_t majorEnd = XMajor ? target.Width : target.Height;
    if (first < 0) {
        minor += -first * slope;
        first = 0;
    }
    last = std::min(last, majorEnd - 1);
    const std::int64_t minorEnd = XMajor ? target.Height : target.Width;
    const std::int64_t firstRow = minor >> MinorShift;
    const std::int64_t lastRow = (minor + (last - first) * slope) >> MinorShift;
    const std::int64_t low = std::max<std::int64_t>(std::min(firstRow, lastRow), 0);
    const std::int64_t high = std::min(std::max(firstRow, lastRow), minorEnd - 1);
    if (first > last || low > high) return {};
    for (std::int64_t major = first; major <= last; ++major, minor += slope) {
        const std::int64_t row = minor >> MinorShift;
        if (row < 0 || row >= minorEnd) continue;
        const std::int64_t x = XMajor ? major : row;
        const std::int64_t y = XMajor ? row : major;
        target.Bits[y * target.Stride + x] = pixel;
    }
    const auto narrow = [](std::int64_t value) { return static_cast<std::int32_t>(value); };
    return XMajor ? TPixelRect{narrow(first), narrow(low), narrow(last), narrow(high)}
                  : TPixelRect{narrow(low), narrow(first), narrow(high), narrow(last)};
}

// Turns a line so that it runs along x, swapping x and y where it is steeper,
// and from its lower x end to its higher one; gives its extent as dx >= 0, dy.
// Returns whether x was the major axis.
template <class T> bool AlongMajorAxis(T& x1, T& y1, T& x2, T& y2, T& dx, T& dy) {
    dx = x2 - x1;
    dy = y2 - y1;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    if (!xMajor) {
        std::swap(x1, y1);
        std::swap(x2, y2);
        std::swap(dx, dy);
    }
    if (dx < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
        dx = -dx;
        dy = -dy;
    }
    return xMajor;
}

// A line whose ends are given in 1/64 pixel, with square caps at both ends.
// Only for clipped lines: every pixel is tested against the picture.
TPixelRect RasterSubPixelLine(const TPixelBuffer& target, std::int64_t x1, std::int64_t y1,
                              std::int64_t x2, std::int64_t y2, std::uint32_t pixel) {
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    const bool xMajor = AlongMajorAxis(x1, y1, x2, y2, dx, dy);
    const std::int64_t first = x1 >> 6;
    const std::int64_t last = x2 >> 6;
    if (dx == 0) {
        // Both ends in one point: Qt sets its one pixel.
        const std::int64_t x = xMajor ? first : y1 >> 6;
        const std::int64_t y = xMajor ? y1 >> 6 : first;
        if (x < 0 || y < 0 || x >= target.Width || y >= target.Height) return {};
        target.Bits[y * target.Stride + x] = pixel;
        const auto px = static_cast<std::int32_t>(x);
        const auto py = static_cast<std::int32_t>(y);
        return {px, py, px, py};
    }
    const std::int64_t slope = (dy << MinorShift) / dx;
    // The walk starts half a pixel before the first end (the square cap) ...
    const std::int64_t start = x1 - HalfPixel;
    std::int64_t minor = (y1 << SubToMinorShift) - (slope >> 1);
    // ... and is carried to the first column: to its centre when rising, to its
    // left edge otherwise.
    const std::int64_t offset = first * SubPixels - start + (dy > 0 ? HalfPixel : 0);
    minor += (offset * slope) >> 6;
    return xMajor ? Walk<true>(target, first, last, minor, slope, pixel)
                  : Walk<false>(target, first, last, minor, slope, pixel);
}

// Cuts the line back to [left, right] x [top, bottom] as Qt does before it
// rasterises; false when nothing of it is left inside.
bool CutToRectangle(double& x1, double& y1, double& x2, double& y2, double left, double top,
                    double right, double bottom) {
    if ((x1 < left && x2 < left) || (x1 > right && x2 > right) || (y1 < top && y2 < top) ||
        (y1 > bottom && y2 > bottom)) {
        return false;
    }
    // The same operations in the same order as Qt, so that the cut ends, and
    // so their rounding, come out the same.
    const auto cutX = [&](double& x, double& y, double edge) {
        y = y + (y2 - y1) / (x2 - x1) * (edge - x);
        x = edge;
    };
    const auto cutY = [&](double& x, double& y, double edge) {
        x = x + (x2 - x1) / (y2 - y1) * (edge - y);
        y = edge;
    };
    if (x1 < left)
        cutX(x1, y1, left);
    else if (x1 > right)
        cutX(x1, y1, right);
    if (x2 < left)
        cutX(x2, y2, left);
    else if (x2 > right)
        cutX(x2, y2, right);
    // What is left between the side edges may pass wholly above or below; then
    // the cut at the top or bottom edge would divide by a zero height.
    if ((y1 < top && y2 < top) || (y1 > bottom && y2 > bottom)) return false;
    if (y1 < top)
        cutY(x1, y1, top);
    else if (y1 > bottom)
        cutY(x1, y1, bottom);
    if (y2 < top)
        cutY(x2, y2, top);
    else if (y2 > bottom)
        cutY(x2, y2, bottom);
    return true;
}

std::int64_t ToSubPixels(double coordinate) {
    return static_cast<std::int64_t>(coordinate * static_cast<double>(SubPixels));
}

// The pixels of an inside line along its major axis: dx + 1 of them from
// `first`, each one step of `majorStep` on, and the minor coordinate, in
// 1/65536 pixel, growing by `slope`. The minor coordinate never leaves the
// picture, so it is never negative and unsigned arithmetic gives its bits.
template <bool XMajor>
[[gnu::always_inline]] inline void WalkInside(std::uint32_t* first, std::ptrdiff_t stride,
                                              std::int32_t dx, std::uint32_t minor,
                                              std::uint32_t slope, std::uint32_t pixel) {
    const std::ptrdiff_t majorStep = XMajor ? 1 : stride;
    for (std::int32_t n = dx; n >= 0; --n, first += majorStep, minor += slope) {
        const std::uint32_t across = minor >> MinorShift;
        first[XMajor ? static_cast<std::ptrdiff_t>(across) * stride
                     : static_cast<std::ptrdiff_t>(across)] = pixel;
    }
}

// RasterSubPixelLine for ends in whole pixels inside the picture, with the
// half-pixel offsets worked out: the walk starts at the first end's row, plus half
// a step, rounded up, when the line rises. All values fit in 32 bits, whose
// division is the cheaper one.
//
// Its pixels lie within the rectangle of its ends: the walk covers the columns
// from one end to the other, and the minor coordinate starts on the first end's
// row, less than half a step above it when rising, and after dx steps of the
// slope, truncated towards zero, has not gone past the last end's row.
[[gnu::always_inline]] inline void RasterInsideLine(const TPixelBuffer& target, std::int32_t x1,
                                                    std::int32_t y1, std::int32_t x2,
                                                    std::int32_t y2, std::uint32_t pixel) {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    const bool xMajor = AlongMajorAxis(x1, y1, x2, y2, dx, dy);
    if (dx == 0) {
        target.Bits[std::ptrdiff_t{y1} * target.Stride + x1] = pixel;
        return;
    }
    const std::int32_t slope = dy * (1 << MinorShift) / dx;
    // A line rises exactly when its slope is positive (dy >= 1 and dx < 2^16
    // give a slope of at least 1). Which way a mesh line runs goes with the
    // waves, so no branch predictor can tell it: as a maximum, it is no branch.
    const std::int32_t minor = y1 * (1 << MinorShift) + std::max(0, slope - (slope >> 1));
    const auto uminor = static_cast<std::uint32_t>(minor);
    const auto uslope = static_cast<std::uint32_t>(slope);
    if (xMajor) {
        WalkInside<true>(target.Bits + x1, target.Stride, dx, uminor, uslope, pixel);
    } else {
        WalkInside<false>(target.Bits + std::ptrdiff_t{x1} * target.Stride, target.Stride, dx,
                          uminor, uslope, pixel);
    }
}

TPixelRect RasterClippedLine(const TPixelBuffer& target, std::int32_t x1, std::int32_t y1,
                             std::int32_t x2, std::int32_t y2, std::uint32_t pixel) {
    // Doubles hold every 32-bit coordinate exactly.
    double fx1 = x1;
    double fy1 = y1;
    double fx2 = x2;
    double fy2 = y2;
    if (!CutToRectangle(fx1, fy1, fx2, fy2, -1.0, -1.0, target.Width + 1.0, target.Height + 1.0)) {
        return {};
    }
    return RasterSubPixelLine(target, ToSubPixels(fx1), ToSubPixels(fy1), ToSubPixels(fx2),
                              ToSubPixels(fy2), pixel);
}

} // namespace

TPixelRect RasterPolyline(const TPixelBuffer& target, const TScreenPoint* points,
                          std::ptrdiff_t step, int count, std::uint32_t pixel) {
    TPixelRect touched;
    if (count < 2) return touched;
    // A copy: writing pixels cannot change it, so it stays in registers.
    const TPixelBuffer picture = target;
    // The rectangle of all points; when it lies in the picture, so does every
    // line, and within it.
    TPixelRect bounds;
    for (int k = 0; k < count; ++k) {
        const TScreenPoint& p = points[k * step];
        bounds.Unite({p.X, p.Y, p.X, p.Y});
    }
    if (bounds.Left >= 0 && bounds.Top >= 0 && bounds.Right < picture.Width &&
        bounds.Bottom < picture.Height) {
        TScreenPoint from = *points;
        for (int k = 1; k < count; ++k) {
            const TScreenPoint to = points[k * step];
            RasterInsideLine(picture, from.X, from.Y, to.X, to.Y, pixel);
            from = to;
        }
        return bounds;
    }
    // Some lines leave the picture: those between points inside it lie within
    // the rectangle of those points, each clipped one brings its own.
    const auto inside = [&picture](const TScreenPoint& p) {
        return static_cast<std::uint32_t>(p.X) < static_cast<std::uint32_t>(picture.Width) &&
               static_cast<std::uint32_t>(p.Y) < static_cast<std::uint32_t>(picture.Height);
    };
    TScreenPoint from = *points;
    bool fromInside = inside(from);
    if (fromInside) touched.Unite({from.X, from.Y, from.X, from.Y});
    for (int k = 1; k < count; ++k) {
        const TScreenPoint to = points[k * step];
        const bool toInside = inside(to);
        if (fromInside && toInside) {
            RasterInsideLine(picture, from.X, from.Y, to.X, to.Y, pixel);
        } else {
            touched.Unite(RasterClippedLine(picture, from.X, from.Y, to.X, to.Y, pixel));
        }
        if (toInside) touched.Unite({to.X, to.Y, to.X, to.Y});
        from = to;
        fromInside = toInside;
    }
    return touched;
}
