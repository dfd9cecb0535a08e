// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <cstddef>

// Pictures wider or higher than this are refused before anything is allocated.
inline constexpr int MaxJpegSide = 8192;

// Decodes a JPEG held in memory with libjpeg. Colour and greyscale pictures
// come back as Format_RGB888. Anything damaged, truncated, not a JPEG, in
// another colour space (CMYK) or larger than MaxJpegSide gives a null image;
// the process never ends on bad data.
QImage DecodeJpeg(const unsigned char* data, std::size_t size);
