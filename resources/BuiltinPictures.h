// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// The info page, shown 1:1 in Image2, and the background of the view.
inline constexpr QSize InfoPictureSize{725, 539};
inline constexpr QSize BackgroundPictureSize{800, 600};

// The built-in info page (a baseline JFIF JPEG), decoded with libjpeg.
// Null if it cannot be decoded or has not the size of InfoPictureSize.
QImage LoadInfoPicture();

// Decodes `jpeg` as an info page: null unless it is a sound JPEG of InfoPictureSize.
QImage DecodeInfoPicture(const QByteArray& jpeg);

// The built-in white background, 800 x 600 in Format_RGB888 (24 bits per
// pixel). Null only if the program was built without its picture.
QImage LoadBackgroundPicture();
