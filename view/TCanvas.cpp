// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TCanvas.h"

#include "view/VectorState.h"

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

std::optional<std::uint32_t> SinglePixel(const TPicture& picture) {
    const std::uint32_t* const first = picture.Bits();
    if (picture.Count() == 0 || !std::all_of(first, first + picture.Count(),
                                             [first](std::uint32_t p) { return p == *first; })) {
        return std::nullopt;
    }
    return *first;
}

} // namespace

TCanvas::TCanvas(TPicture background)
    : Background(std::move(background)), BackgroundFill(SinglePixel(Background)),
      Pixels(Background), PenPixel(PixelOf(0)), Changed(Whole()) {}

TPixelRect TCanvas::Whole() const {
    return {0, 0, Pixels.Width() - 1, Pixels.Height() - 1};
}

void TCanvas::Restore(const TPixelRect& rect) {
    if (rect.Empty()) return;
    const auto columns = static_cast<std::size_t>(rect.Right - rect.Left + 1);
    const auto row = [this, &rect](int y) { return Pixels.Row(y) + rect.Left; };
    if (BackgroundFill) {
        // One row pixel by pixel, the others copied from it in wide blocks: a
        // fill writes the picture without reading it.
        std::fill_n(row(rect.Top), columns, *BackgroundFill);
        for (int y = rect.Top + 1; y <= rect.Bottom; ++y) {
            std::memcpy(row(y), row(rect.Top), columns * sizeof(std::uint32_t));
        }
        return;
    }
    for (int y = rect.Top; y <= rect.Bottom; ++y) {
        std::memcpy(row(y), Background.Row(y) + rect.Left, columns * sizeof(std::uint32_t));
    }
}

void TCanvas::Clear() {
    // Outside Drawn the canvas still holds the background.
    Restore(Drawn);
    // The lines come next.
    ClearUpperVectorHalves();
    Changed.Unite(Drawn);
    Drawn = TPixelRect{};
}

TPixelRect TCanvas::TakeChanged() {
    TPixelRect changed = Changed;
    changed.Unite(Drawn);
    Changed = TPixelRect{};
    return changed.Empty() ? TPixelRect{} : changed;
}

void TCanvas::SetPenColor(TColor color) {
    PenPixel = PixelOf(color);
}

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
    Drawn.Unite(RasterPolyline(Pixels.Target(), points, step, count, PenPixel));
    const TScreenPoint& last = points[step * (count - 1)];
    PenX = last.X;
    PenY = last.Y;
}
