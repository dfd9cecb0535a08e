// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LineRaster.h"

#include <QImage>

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
    // canvas's size and format at (0, 0) is one block copy, or one fill when all
    // its pixels are alike.
    void Draw(const QImage& picture, int x, int y);
    void SetPenColor(TColor color);
    void MoveTo(std::int32_t x, std::int32_t y);
    // The line from the pen to (x, y), both end pixels included, exactly as
    // QPainter::drawLine draws it with a one-pixel pen; the pen moves to (x, y).
    // A polyline drawn with LineTo is the union of its segments so drawn.
    // QPainter::drawPolyline differs from that at some corners, where it leaves
    // out or adds a pixel depending on the turn: about one mesh pixel in 500.
    void LineTo(std::int32_t x, std::int32_t y);

    // The picture; it shares the canvas's pixels, so a copy that must outlive
    // the next drawing is taken with QImage::copy().
    const QImage& Image() const { return Picture; }

  private:
    std::unique_ptr<std::uint32_t[]> Pixels;
    TPixelBuffer Buffer;
    QImage Picture;
    std::uint32_t PenPixel;
    // Whether the last whole picture drawn, known by its cacheKey, was of one pixel value.
    std::optional<qint64> LastPictureKey;
    std::optional<std::uint32_t> LastPictureFill;
    std::int32_t PenX = 0;
    std::int32_t PenY = 0;
};
