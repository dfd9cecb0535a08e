#include "render/Renderer.h"

#include "resources/BuiltinPictures.h"
#include "view/View.h"

#include <cstring>

TRenderer::TRenderer(const TRenderSettings& settings)
    : Settings(settings), Background(LoadBackgroundPicture()), Loop(Background),
      LastFrame(Background.convertToFormat(QImage::Format_RGB32)) {
    Loop.View().SetPresenter([this](const QImage& frame) {
        std::memcpy(LastFrame.bits(), frame.constBits(),
                    static_cast<std::size_t>(LastFrame.sizeInBytes()));
    });
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

std::uint64_t TRenderer::FrameHash() const {
    std::uint64_t hash = 14695981039346656037ull;
    const uchar* bytes = LastFrame.constBits();
    for (qsizetype k = 0; k < LastFrame.sizeInBytes(); ++k) {
        hash ^= bytes[k];
        hash *= 1099511628211ull;
    }
    return hash;
}
