// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewTesting.h"

#include "resources/CorePictures.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

using TSegment = std::pair<QPoint, QPoint>;

// The picture as the view's plain pixels.
inline TPicture PictureOf(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    TPicture picture(rgb.width(), rgb.height(), 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        std::copy(row, row + rgb.width(), picture.Row(y));
    }
    return picture;
}

inline QImage WhiteImage(int width = 800, int height = 600) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

// Qt's own lines: QPainter::drawLine with the default one-pixel pen in blue.
inline QImage QtLines(int width, int height, const std::vector<TSegment>& segments) {
    QImage picture = WhiteImage(width, height);
    QPainter painter(&picture);
    painter.setPen(QColor(0, 0, 255));
    for (const auto& [from, to] : segments)
        painter.drawLine(from, to);
    return picture;
}

inline void AddPolyline(std::vector<TSegment>& segments, const std::vector<QPoint>& points) {
    for (std::size_t k = 1; k < points.size(); ++k)
        segments.emplace_back(points[k - 1], points[k]);
}

// The frame the view should have drawn from its ScreenPoints: the visible nodes
// joined along x, and along y with the cross grid.
inline QImage QtFrame(const TView& view, const TNet& net, bool crossGrid) {
    const int low = net.Margin + 1;
    const int high = net.GridSize - net.Margin;
    const auto at = [&view](int i, int j) {
        return QPoint(view.ScreenPoints(i, j).X, view.ScreenPoints(i, j).Y);
    };
    std::vector<TSegment> segments;
    for (int j = low; j <= high; ++j) {
        for (int i = low + 1; i <= high; ++i)
            segments.emplace_back(at(i - 1, j), at(i, j));
    }
    if (crossGrid) {
        for (int i = low; i <= high; ++i) {
            for (int j = low + 1; j <= high; ++j)
                segments.emplace_back(at(i, j - 1), at(i, j));
        }
    }
    return QtLines(800, 600, segments);
}

// Pixels in which two images of one size differ.
inline int DifferingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    }
    return count;
}
