// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/DrawnArea.h"

#include <algorithm>

QRect DrawnRect(const QImage& picture, QRgb background) {
    const int width = picture.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        int x = 0;
        while (x < width && row[x] == background)
            ++x;
        if (x == width) continue;
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, x);
        int z = width - 1;
        while (z > right && row[z] == background)
            --z;
        right = std::max(right, z);
    }
    if (top < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect CropRect(QRect drawn, QSize picture) {
    const QRect whole(QPoint(0, 0), picture);
    if (drawn.isEmpty()) return whole;
    constexpr int Margin = 8;
    return drawn.adjusted(-Margin, -Margin, Margin, Margin).intersected(whole);
}
