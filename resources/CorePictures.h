// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/LineRaster.h"
#include "view/TPicture.h"

#include <QImage>
#include <QRect>

// Between Qt's pictures and the view's plain pixels.

// The picture every frame starts from: `image` at the top left of a white
// picture of the view's size.
TPicture ViewBackground(const QImage& image);

// A read-only image on the picture's own pixels, without a copy; it must not
// outlive the picture.
QImage ImageOf(const TPicture& picture);

// The same rectangle; the empty one stays empty.
QRect QRectOf(const TPixelRect& rect);
