// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/GifPalette.h"

int TGifPalette::Find(QRgb colour) const {
    for (int k = 0; k < Count; ++k) {
        if (Colours[static_cast<std::size_t>(k)] == colour) return k;
    }
    return -1;
}

int TGifPalette::Add(QRgb colour) {
    const int found = Find(colour);
    if (found >= 0 || Count == static_cast<int>(Colours.size())) return found;
    Colours[static_cast<std::size_t>(Count)] = colour;
    return Count++;
}
