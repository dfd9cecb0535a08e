// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// Encodes `image` with libjpeg as a baseline JFIF JPEG of the given quality
// (1..100): a Grayscale8 image with one component, any other with three
// (YCbCr). Empty if the image is null or libjpeg fails.
QByteArray EncodeJpeg(const QImage& image, int quality);
