// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/LargeBlock.h"
#include "view/LineRaster.h"
#include "view/TScreenPoint.h"

#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

// A colour as $00BBGGRR: red in the lowest byte.
using TColor = std::uint32_t;

// An off-screen picture in 32-bit RGB with the drawing operations the view
// needs: a picture at a point, a pen colour, move to and line to. The pixels are
// allocated once; the QImage is a window on them and never detaches, so the
// lines are written straight into it.
class TCanvas {
  public:
    TCanvas(int width, int height);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Copies `picture` with its top left corner at (x, y). A picture of the
    // canvas's size and format at (0, 0) is copied in blocks, or filled in when
    // all its pixels are alike; when it is the same picture as the last one so
    // drawn, only the pixels the lines have set since then are put back.
    void Draw(const QImage& picture, int x, int y);
    void SetPenColor(TColor color);
    void MoveTo(std::int32_t x, std::int32_t y);
    // The line from the pen to (x, y), both end pixels included, exactly as
    // QPainter::drawLine draws it with a one-pixel pen; the pen moves to (x, y).
    // A polyline drawn with LineTo is the union of its segments so drawn.
    // QPainter::drawPolyline differs from that at some corners, where it leaves
    // out or adds a pixel depending on the turn: about one mesh pixel in 500.
    void LineTo(std::int32_t x, std::int32_t y);
    // MoveTo the first of `count` points, then LineTo each of the others, in
    // one call; the points are `step` apart in memory.
    void Polyline(const TScreenPoint* points, std::ptrdiff_t step, int count);

    // The picture; it shares the canvas's pixels, so a copy that must outlive
    // the next drawing is taken with QImage::copy().
    const QImage& Image() const { return Picture; }

    // A rectangle of the picture outside which no pixel has changed since the
    // last call (since creation for the first call); empty when none changed.
    QRect TakeChanged();

  private:
    TPixelRect Whole() const;
    // The rows Top..Bottom, columns Left..Right of `picture`, or its one pixel value.
    void CopyRect(const QImage& picture, const TPixelRect& rect);

    struct TFreeBlock {
        std::size_t Bytes;
        void operator()(std::uint32_t* pixels) const noexcept { FreeLargeBlock(pixels, Bytes); }
    };
    std::unique_ptr<std::uint32_t[], TFreeBlock> Pixels; // on large pages
    TPixelBuffer Buffer;
    QImage Picture;
    std::uint32_t PenPixel;
    // The last whole picture drawn, known by its cacheKey, and its one pixel
    // value if all are alike. Outside Drawn the canvas still holds it.
    std::optional<qint64> LastPictureKey;
    std::optional<std::uint32_t> LastPictureFill;
    TPixelRect Drawn;   // the lines' pixels since the last whole picture
    TPixelRect Changed; // besides Drawn, what changed since TakeChanged
    std::int32_t PenX = 0;
    std::int32_t PenY = 0;
};
