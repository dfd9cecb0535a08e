// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Renderer.h"

#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"
#include "view/PictureHash.h"
#include "view/View.h"

TRenderer::TRenderer(const TRenderSettings& settings)
    : Settings(settings), Loop(ViewBackground(LoadBackgroundPicture())),
      FrameImage(ImageOf(Loop.View().Bitmap())) {
    StartLikeTheWindow(Loop, Settings);
}

bool TRenderer::Pass() {
    Loop.Fire(*this);
    return FailedStart.isEmpty();
}

const QImage& TRenderer::Frame() const {
    return FrameImage;
}

std::uint64_t TRenderer::FrameHash() const {
    return HashPicture(Loop.View().Bitmap());
}
