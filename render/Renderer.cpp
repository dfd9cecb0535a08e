#include "render/Renderer.h"

#include "resources/BuiltinPictures.h"
#include "view/View.h"

TRenderer::TRenderer(const TRenderSettings& settings)
    : Settings(settings), Loop(LoadBackgroundPicture()) {
    // As the window: created with "Rand-Dämpfung" in force; then the chosen
    // mode's values, the net at rest and a fresh run, as an example or "Null" does.
    TNet& net = Loop.Net();
    net.Omega = OmegaFromPosition(Settings.Controls.Excitation.FrequencyPosition);
    net.SelectBoundaryMode(Settings.Controls.Mode);
    Loop.RequestRestart();
}

bool TRenderer::Pass() {
    Loop.Fire(*this);
    return FailedStart.isEmpty();
}

const QImage& TRenderer::Frame() const { return Loop.View().Bitmap(); }

std::uint64_t TRenderer::FrameHash() const {
    std::uint64_t hash = 14695981039346656037ull;
    const QImage& frame = Frame();
    const uchar* bytes = frame.constBits();
    for (qsizetype k = 0; k < frame.sizeInBytes(); ++k) {
        hash ^= bytes[k];
        hash *= 1099511628211ull;
    }
    return hash;
}
