// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/JpegDecoder.h"

#include "resources/JpegErrorManager.h"

#include <utility>

namespace {

// Reads the header and checks it; the caller has set info.err.
// Returns false for a picture this decoder refuses.
bool AcceptHeader(jpeg_decompress_struct& info) {
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    if (info.image_width == 0 || info.image_height == 0) return false;
    if (info.image_width > MaxJpegSide || info.image_height > MaxJpegSide) return false;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        return true;
    case JCS_YCbCr:
    case JCS_RGB:
        info.out_color_space = JCS_RGB;
        return true;
    default:
        return false;
    }
}

// The only function that calls setjmp. It owns no object with a destructor,
// and what it works on, `info` and `image`, lives in the caller: a jump skips
// no destructor and leaves no local of the setjmp's frame stale.
// Greyscale is decoded into a Grayscale8 image, colour into RGB888.
bool DecodeGuarded(jpeg_decompress_struct& info, JpegErrorManager& errors,
                   const unsigned char* data, unsigned long size, QImage& image) {
    info.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.JumpBack) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    bool decoded = false;
    if (AcceptHeader(info)) {
        jpeg_start_decompress(&info);
        const bool grey = info.out_color_space == JCS_GRAYSCALE;
        // The temporary QImage is gone before libjpeg runs again.
        image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        // Each scanline is written straight into the image: its layout must match.
        if (!image.isNull() && info.output_components == (grey ? 1 : 3)) {
            while (info.output_scanline < info.output_height) {
                JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
                jpeg_read_scanlines(&info, &row, 1);
            }
            jpeg_finish_decompress(&info);
            decoded = true;
        }
    }
    jpeg_destroy_decompress(&info);
    return decoded;
}

} // namespace

QImage DecodeJpeg(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size == 0 || !std::in_range<unsigned long>(size)) return {};
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    QImage image;
    if (!DecodeGuarded(info, errors, data, static_cast<unsigned long>(size), image)) return {};
    if (image.format() == QImage::Format_Grayscale8) image.convertTo(QImage::Format_RGB888);
    return image;
}
