// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LineRaster.h"
#include "view/TPicture.h"
#include "view/TScreenPoint.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// A colour as $00BBGGRR: red in the lowest byte.
using TColor = std::uint32_t;

// An off-screen picture over a fixed background, with the drawing operations
// the view needs: the background again, a pen colour, move to and line to.
class TCanvas {
  public:
    // The canvas has the background's size and starts as a copy of it.
    explicit TCanvas(TPicture background);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The background again: every frame starts from it. Only the pixels the
    // lines have set since it was last put back are restored, filled in when
    // all its pixels are alike.
    void Clear();
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

    // The pixels stay where they are for the canvas's life, so a toolkit's
    // image may wrap them once.
    const TPicture& Picture() const { return Pixels; }

    // A rectangle of the picture outside which no pixel has changed since the
    // last call (since creation for the first call); empty when none changed.
    TPixelRect TakeChanged();

  private:
    TPixelRect Whole() const;
    // The rows Top..Bottom, columns Left..Right of the background.
    void Restore(const TPixelRect& rect);

    const TPicture Background;
    const std::optional<std::uint32_t> BackgroundFill; // its one pixel value, if all are alike
    TPicture Pixels;
    std::uint32_t PenPixel;
    TPixelRect Drawn;   // the lines' pixels since the background was last put back
    TPixelRect Changed; // besides Drawn, what changed since TakeChanged
    std::int32_t PenX = 0;
    std::int32_t PenY = 0;
};
