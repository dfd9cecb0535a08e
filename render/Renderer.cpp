// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Renderer.h"

#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <algorithm>

TPicture RenderBackground() {
    return ViewBackground(LoadBackgroundPicture());
}

TRenderer::TRenderer(const TRenderSettings& settings)
    : State(std::make_unique<TSession>(RenderBackground(), static_cast<ISessionFront&>(*this))),
      FrameImage(ImageOf(State->RunLoop().View().Bitmap())) {
    State->StartWith(settings, settings.Example);
}

TRenderer::TRenderer(std::unique_ptr<TSession> replayed)
    : State(std::move(replayed)), FrameImage(ImageOf(State->RunLoop().View().Bitmap())) {
    State->AttachFront(*this);
}

void TRenderer::SetProbes(const std::vector<TNodePosition>& probes) {
    for (std::size_t slot = 0; slot < std::min(probes.size(), State->Probes().size()); ++slot)
        State->SetProbe(slot, probes[slot]);
}

bool TRenderer::Pass() {
    State->Fire();
    return FailedStart.isEmpty();
}

const QImage& TRenderer::Frame() const {
    return FrameImage;
}

std::uint64_t TRenderer::FrameHash() const {
    return HashPicture(State->RunLoop().View().Bitmap());
}
