// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/JpegEncoder.h"

#include "resources/JpegErrorManager.h"

#include <cstdlib>

namespace {

// The only function that calls setjmp; see DecodeGuarded in JpegDecoder.cpp.
// `pixels` is Grayscale8 or RGB888; libjpeg mallocs the output into
// `buffer`/`size`, which live in the caller.
bool EncodeGuarded(jpeg_compress_struct& info, JpegErrorManager& errors, const QImage& pixels,
                   int quality, unsigned char*& buffer, unsigned long& size) {
    info.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.JumpBack) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    const bool grey = pixels.format() == QImage::Format_Grayscale8;
    info.image_width = static_cast<JDIMENSION>(pixels.width());
    info.image_height = static_cast<JDIMENSION>(pixels.height());
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    // The defaults write a JFIF marker and a sequential (baseline) scan.
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE; // smaller Huffman tables, still baseline
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the row; its API just lacks the const.
        JSAMPROW row =
            const_cast<JSAMPROW>(pixels.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull()) return {};
    const QImage pixels = image.format() == QImage::Format_Grayscale8
                              ? image
                              : image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    JpegErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    QByteArray jpeg;
    if (EncodeGuarded(info, errors, pixels, quality, buffer, size)) {
        jpeg = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    }
    std::free(buffer);
    return jpeg;
}
