// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NetTesting.h"

#include "view/View.h"

#include <memory>

// A net in motion: waves from the source at its middle.
inline std::unique_ptr<TNet> RunningNet(BoundaryMode mode, int passes) {
    auto net = MakeNet(mode);
    TPass pass;
    pass.Mode = mode;
    pass.Excitation.Excitation = true;
    RunPasses(*net, pass, passes);
    return net;
}

// The bars as the window starts them ("Drehen" 60, 0, 0; "Zoom" 11, a factor
// of 1.1; "Kreuzgitter" on), or turned and zoomed otherwise.
constexpr TViewControls Bars(int x = 60, int y = 0, int z = 0, int zoom = 11,
                             bool crossGrid = true) {
    return {.RotationX = x,
            .RotationY = y,
            .RotationZ = z,
            .ZoomPosition = zoom,
            .CrossGrid = crossGrid};
}

inline TPicture WhitePicture() {
    return TPicture(PictureWidth, PictureHeight, 0xFFFFFFFFu);
}

// A view on a white background that counts and keeps the frames it presents.
struct TFrames {
    std::unique_ptr<TView> View = std::make_unique<TView>(WhitePicture());
    int Presented = 0;
    TPicture Last = WhitePicture();

    TFrames() {
        View->SetPresenter([this](const TPicture& picture) {
            ++Presented;
            Last = picture;
        });
    }
    TFrames(const TFrames&) = delete; // the presenter holds `this`
    TFrames& operator=(const TFrames&) = delete;
};

// Pixels in which two pictures of one size differ.
inline int DifferingPixels(const TPicture& a, const TPicture& b) {
    int count = 0;
    for (std::size_t k = 0; k < a.Count(); ++k)
        count += a.Bits()[k] != b.Bits()[k];
    return count;
}
