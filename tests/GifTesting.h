// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// An animated GIF decoded with giflib and laid frame over frame as a viewer does.
struct TDecodedGif {
    std::vector<QImage> Frames; // as shown, each laid over the ones before
    std::vector<QRect> Rects;   // the part each frame wrote
    std::vector<int> Delays;    // hundredths of a second
    bool LoopsForever = false;
};

inline TDecodedGif Decode(const QString& path) {
    TDecodedGif decoded;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
    if (!gif) {
        ADD_FAILURE() << "cannot open " << path.toStdString() << ": " << GifErrorString(error);
        return decoded;
    }
    if (DGifSlurp(gif) != GIF_OK) ADD_FAILURE() << "cannot decode: " << GifErrorString(gif->Error);
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    canvas.fill(Qt::magenta); // must be covered by the first frame
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& image = gif->SavedImages[k];
        for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
                const ExtensionBlock& count = image.ExtensionBlocks[e + 1];
                decoded.LoopsForever = count.ByteCount == 3 && count.Bytes[0] == 1 &&
                                       count.Bytes[1] == 0 && count.Bytes[2] == 0;
            }
        }
        GraphicsControlBlock control{};
        EXPECT_EQ(DGifSavedExtensionToGCB(gif, k, &control), GIF_OK);
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
        decoded.Delays.push_back(control.DelayTime);
        const GifImageDesc& desc = image.ImageDesc;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * desc.Width + x]];
                canvas.setPixel(desc.Left + x, desc.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        }
        decoded.Rects.emplace_back(desc.Left, desc.Top, desc.Width, desc.Height);
        decoded.Frames.push_back(canvas.copy());
    }
    DGifCloseFile(gif, &error);
    return decoded;
}
