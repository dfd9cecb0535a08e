// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Renderer.h"

#include "resources/BuiltinPictures.h"
#include "sim/StateHash.h"
#include "view/View.h"

TRenderer::TRenderer(const TRenderSettings& settings) : Settings(settings), Loop(LoadBackgroundPicture()) {
    StartLikeTheWindow(Loop, Settings);
}

bool TRenderer::Pass() {
    Loop.Fire(*this);
    return FailedStart.isEmpty();
}

const QImage& TRenderer::Frame() const { return Loop.View().Bitmap(); }

std::uint64_t TRenderer::FrameHash() const {
    const QImage& frame = Frame();
    return HashBytes(frame.constBits(), static_cast<std::size_t>(frame.sizeInBytes()));
}
