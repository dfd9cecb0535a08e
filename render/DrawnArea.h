// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

// The smallest rectangle that holds every pixel of `picture` (32-bit RGB)
// that differs from `background`; empty when there is none.
QRect DrawnRect(const QImage& picture, QRgb background);

// What --crop cuts the pictures to: `drawn` grown by 8 pixels on every side,
// within the picture; the whole picture when nothing was drawn.
QRect CropRect(QRect drawn, QSize picture);
