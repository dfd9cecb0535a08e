// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>

#include <array>
#include <cstdint>

// The colours of a GIF frame, at most 256, each kept exactly: the mesh's
// frames have two (the white background and the blue lines), so nothing is
// lost by the GIF's palette.
class TGifPalette {
  public:
    int Size() const { return Count; }
    QRgb Colour(int index) const { return Colours[static_cast<std::size_t>(index)]; }

    // The index of `colour`, added when it is new; -1 when the palette is full.
    int Add(QRgb colour);
    // The index of `colour`, or -1 when it is not in the palette.
    int Find(QRgb colour) const;

  private:
    std::array<QRgb, 256> Colours{};
    int Count = 0;
};
