// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/CorePictures.h"

#include "view/View.h"

#include <QPainter>

TPicture ViewBackground(const QImage& image) {
    TPicture picture(PictureWidth, PictureHeight, 0xFFFFFFFFu);
    QImage target(reinterpret_cast<uchar*>(picture.Bits()), picture.Width(), picture.Height(),
                  static_cast<qsizetype>(picture.Width()) * 4, QImage::Format_RGB32);
    QPainter(&target).drawImage(0, 0, image.convertToFormat(QImage::Format_RGB32));
    return picture;
}

QImage ImageOf(const TPicture& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(), picture.Height(),
                  static_cast<qsizetype>(picture.Width()) * 4, QImage::Format_RGB32);
}

QRect QRectOf(const TPixelRect& rect) {
    if (rect.Empty()) return {};
    return QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right, rect.Bottom));
}
