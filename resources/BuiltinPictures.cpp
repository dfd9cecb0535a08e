// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/BuiltinPictures.h"

#include "resources/JpegDecoder.h"

#include <QFile>

namespace {

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

} // namespace

QImage DecodeInfoPicture(const QByteArray& jpeg) {
    QImage image = DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.constData()),
                              static_cast<std::size_t>(jpeg.size()));
    if (image.size() != InfoPictureSize) return {};
    return image;
}

QImage LoadInfoPicture() {
    return DecodeInfoPicture(ReadResource(QStringLiteral(":/pictures/info.jpg")));
}

// Stored as a 24-bit PNG of about 2 KB, read by the PNG reader built into Qt.
QImage LoadBackgroundPicture() {
    QImage image(QStringLiteral(":/pictures/background.png"));
    if (image.size() != BackgroundPictureSize) return {};
    return image.convertToFormat(QImage::Format_RGB888);
}
