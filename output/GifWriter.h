// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/GifPalette.h"
#include "output/OutputFile.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <optional>
#include <vector>

struct GifFileType;

// An animated GIF that loops forever, written with giflib frame by frame.
// The first frame is written whole; each later one only as the rectangle in
// which it differs from the frame before (left in place beneath it), so a
// decoder that lays the frames over each other shows every frame exactly.
class TGifWriter {
  public:
    TGifWriter() = default;
    TGifWriter(const TGifWriter&) = delete;
    TGifWriter& operator=(const TGifWriter&) = delete;
    ~TGifWriter();

    // Opens the file; a message naming `option` (what asked for it) when it
    // cannot be written. Every later message names it too.
    std::optional<QString> Open(const QString& path, const QString& option);
    // The frames are the part `area` of pictures in 32-bit RGB, shown at
    // `fps` frames per second.
    void Begin(QRect area, int fps);
    std::optional<QString> AddFrame(const QImage& picture);
    // Ends the file and renames it into place.
    std::optional<QString> Finish();

    long long Frames() const { return FrameCount; }
    qint64 Bytes() const { return BytesWritten; }

    // Delay of frame `index` (from 0) in hundredths of a second: whole
    // hundredths that add up to index / fps seconds, rounded, at every frame.
    static int DelayOf(long long index, int fps);

  private:
    static int Write(GifFileType* gif, const unsigned char* bytes, int count);
    std::optional<QString> Failure(int code) const;
    // The rectangle, in `area` coordinates, where `picture` differs from the last frame.
    QRect ChangedRect(const QImage& picture) const;
    // The palette indices of `rect` into Indices; false when a colour is not in `palette`.
    bool MapColours(const QImage& picture, QRect rect, const TGifPalette& palette);
    std::optional<QString> PutImage(const QImage& picture, QRect rect);

    TOutputFile File;
    QString Option;
    GifFileType* Gif = nullptr;
    QRect Area;
    int Fps = 25;
    TGifPalette Global;
    std::vector<QRgb> Last;             // the last frame's pixels in Area, row by row
    std::vector<unsigned char> Indices; // the frame's rectangle as palette indices
    long long FrameCount = 0;
    qint64 BytesWritten = 0;
};
