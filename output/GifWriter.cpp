// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

GifColorType GifColour(QRgb colour) {
    return {static_cast<GifByteType>(qRed(colour)), static_cast<GifByteType>(qGreen(colour)),
            static_cast<GifByteType>(qBlue(colour))};
}

// giflib's colour maps hold a power of two of colours, at least two; the
// entries beyond the palette are never used.
struct TColourMap {
    explicit TColourMap(const TGifPalette& palette) {
        int size = 2;
        while (size < palette.Size())
            size *= 2;
        std::array<GifColorType, 256> colours{};
        for (int k = 0; k < palette.Size(); ++k)
            colours[static_cast<std::size_t>(k)] = GifColour(palette.Colour(k));
        Map = GifMakeMapObject(size, colours.data());
    }
    ~TColourMap() { GifFreeMapObject(Map); }
    TColourMap(const TColourMap&) = delete;
    TColourMap& operator=(const TColourMap&) = delete;
    ColorMapObject* Map;
};

const QRgb* Row(const QImage& picture, int y) {
    return reinterpret_cast<const QRgb*>(picture.constScanLine(y));
}

} // namespace

TGifWriter::~TGifWriter() {
    if (Gif) EGifCloseFile(Gif, nullptr);
}

int TGifWriter::Write(GifFileType* gif, const unsigned char* bytes, int count) {
    auto* writer = static_cast<TGifWriter*>(gif->UserData);
    // Nothing written makes giflib fail; Failure() then gives the file's own cause.
    if (!writer->File.Write(QByteArrayView(bytes, count))) return 0;
    writer->BytesWritten += count;
    return count;
}

std::optional<QString> TGifWriter::Failure(int code) const {
    if (std::optional<QString> failure = File.Failure()) return failure;
    return QStringLiteral("%1: cannot write %2: %3")
        .arg(Option, File.Name(), QString::fromUtf8(GifErrorString(code)));
}

std::optional<QString> TGifWriter::Open(const QString& path, const QString& option) {
    Option = option;
    if (std::optional<QString> failure = File.Open(path, option)) return failure;
    int error = 0;
    Gif = EGifOpen(this, &TGifWriter::Write, &error);
    if (!Gif) return Failure(error);
    return std::nullopt;
}

void TGifWriter::Begin(QRect area, int fps) {
    Area = area;
    Fps = fps;
    const auto pixels =
        static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height());
    Last.assign(pixels, 0);
    Indices.assign(pixels, 0);
    EGifSetGifVersion(Gif, true);
}

int TGifWriter::DelayOf(long long index, int fps) {
    // round(100 * n / fps) for n = index + 1 and n = index, in whole numbers.
    const auto until = [fps](long long n) { return (200 * n + fps) / (2 * fps); };
    return static_cast<int>(until(index + 1) - until(index));
}

QRect TGifWriter::ChangedRect(const QImage& picture) const {
    const int width = Area.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < Area.height(); ++y) {
        const QRgb* now = Row(picture, Area.y() + y) + Area.x();
        const QRgb* before =
            Last.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        if (std::memcmp(now, before, static_cast<std::size_t>(width) * sizeof(QRgb)) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int x = 0;
        while (x < left && now[x] == before[x])
            ++x;
        left = std::min(left, x);
        int z = width - 1;
        while (z > right && now[z] == before[z])
            --z;
        right = std::max(right, z);
    }
    if (top < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool TGifWriter::MapColours(const QImage& picture, QRect rect, const TGifPalette& palette) {
    const auto width = static_cast<std::size_t>(rect.width());
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const QRgb* row = Row(picture, Area.y() + y) + Area.x() + rect.x();
        unsigned char* indices = Indices.data() + static_cast<std::size_t>(y - rect.top()) * width;
        // The mesh's frames are long runs of one colour: look a colour up only where it changes.
        QRgb seen = palette.Colour(0);
        unsigned char index = 0;
        for (std::size_t x = 0; x < width; ++x) {
            if (row[x] != seen) {
                const int found = palette.Find(row[x]);
                if (found < 0) return false;
                seen = row[x];
                index = static_cast<unsigned char>(found);
            }
            indices[x] = index;
        }
    }
    return true;
}

std::optional<QString> TGifWriter::PutImage(const QImage& picture, QRect rect) {
    // The frame's colours: the file's palette when it holds them all, or a
    // palette of the frame's own.
    std::optional<TColourMap> map;
    if (!MapColours(picture, rect, Global)) {
        TGifPalette local;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const QRgb* row = Row(picture, Area.y() + y) + Area.x();
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (local.Add(row[x]) < 0)
                    return QStringLiteral("%1: a frame has more than 256 colours").arg(Option);
            }
        }
        MapColours(picture, rect, local);
        map.emplace(local);
    }

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = DelayOf(FrameCount, Fps);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const auto length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(Gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
            GIF_ERROR ||
        EGifPutImageDesc(Gif, rect.x(), rect.y(), rect.width(), rect.height(), false,
                         map ? map->Map : nullptr) == GIF_ERROR ||
        EGifPutLine(Gif, Indices.data(), rect.width() * rect.height()) == GIF_ERROR) {
        return Failure(Gif->Error);
    }
    const auto width = static_cast<std::size_t>(Area.width());
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        std::memcpy(Last.data() + static_cast<std::size_t>(y) * width +
                        static_cast<std::size_t>(rect.x()),
                    Row(picture, Area.y() + y) + Area.x() + rect.x(),
                    static_cast<std::size_t>(rect.width()) * sizeof(QRgb));
    }
    ++FrameCount;
    return std::nullopt;
}

std::optional<QString> TGifWriter::AddFrame(const QImage& picture) {
    if (FrameCount > 0) {
        QRect rect = ChangedRect(picture);
        // A frame like the last still takes its time on the screen: one pixel of it.
        if (rect.isEmpty()) rect = QRect(0, 0, 1, 1);
        return PutImage(picture, rect);
    }
    // The first frame's colours are the file's palette, and the frame is written whole.
    for (int y = 0; y < Area.height(); ++y) {
        const QRgb* row = Row(picture, Area.y() + y) + Area.x();
        for (int x = 0; x < Area.width(); ++x) {
            if (Global.Add(row[x]) < 0)
                return QStringLiteral("%1: a frame has more than 256 colours").arg(Option);
        }
    }
    const TColourMap map(Global);
    if (EGifPutScreenDesc(Gif, Area.width(), Area.height(), 8, 0, map.Map) == GIF_ERROR) {
        return Failure(Gif->Error);
    }
    // Loop forever: the application extension "NETSCAPE2.0" with a loop count of 0.
    static const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(Gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(Gif, 11, "NETSCAPE2.0") == GIF_ERROR ||
        EGifPutExtensionBlock(Gif, 3, loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(Gif) == GIF_ERROR) {
        return Failure(Gif->Error);
    }
    return PutImage(picture, QRect(0, 0, Area.width(), Area.height()));
}

std::optional<QString> TGifWriter::Finish() {
    if (FrameCount == 0)
        return QStringLiteral("%1: the run chose no frame; the GIF is not written").arg(Option);
    int error = 0;
    const int closed = EGifCloseFile(Gif, &error);
    Gif = nullptr;
    if (closed == GIF_ERROR) return Failure(error);
    return File.Commit();
}
