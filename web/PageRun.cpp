// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/PageRun.h"

#include "control/Examples.h"
#include "control/LessonReplay.h"
#include "control/LessonText.h"
#include "sim/StateHash.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <variant>

namespace {

// The view's background is the form's white picture.
constexpr std::uint32_t White = 0xFFFFFFFFu;

TPicture Background() {
    return TPicture(PictureWidth, PictureHeight, White);
}

// 0xFFRRGGBB, as the view draws it, into the bytes R, G, B, A of a canvas.
constexpr std::uint32_t CanvasPixel(std::uint32_t pixel) {
    return 0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}

} // namespace

TPageRun::TPageRun() : Canvas(static_cast<std::size_t>(PictureWidth) * PictureHeight) {
    ISessionFront& front = *this;
    Adopt(std::make_unique<TSession>(Background(), front));
}

void TPageRun::Adopt(std::unique_ptr<TSession> session) {
    State = std::move(session);
    State->AttachFront(*this);
    State->RunLoop().View().SetPresenter([this](const TPicture&) { FrameDrawn = true; });
    State->RunLoop().DrawEachPass = false;
    BadField.reset();
    // What waits belongs to the session replaced.
    PendingEnergies.Forget();
    SumEnergiesElsewhere(EnergiesElsewhere);
}

void TPageRun::SumEnergiesElsewhere(bool elsewhere) {
    EnergiesElsewhere = elsewhere;
    State->DeferEnergiesTo(elsewhere ? &PendingEnergies : nullptr);
    if (!elsewhere) PendingEnergies.SumAll(State->Recording());
}

char* TPageRun::LessonRoom(std::size_t bytes) {
    LessonBytes.resize(bytes);
    return LessonBytes.data();
}

std::optional<std::string> TPageRun::OpenLesson() {
    std::variant<TLesson, std::string> read = ReadLesson(LessonBytes);
    // The text is kept in the lesson read from it; the room is given back.
    std::string().swap(LessonBytes);
    if (auto* message = std::get_if<std::string>(&read)) return std::move(*message);
    auto replayed = ReplayLesson(std::get<TLesson>(read), Background(), *this);
    if (auto* message = std::get_if<std::string>(&replayed)) return std::move(*message);
    Adopt(std::get<std::unique_ptr<TSession>>(std::move(replayed)));
    // The frame it arrived at is the one to show.
    FrameDrawn = true;
    return std::nullopt;
}

int TPageRun::RunFor(double budgetMilliseconds) {
    using Clock = TPacer::Clock;
    const Clock::time_point start = Clock::now();
    const auto budget = std::chrono::duration<double, std::milli>(budgetMilliseconds);
    int passes = 0;
    bool fired = false;
    while (State->WantsToFire() && !BadField) {
        const Clock::time_point now = Clock::now();
        if (fired && now - start >= budget) break;
        if (Pacer) {
            if (Pacer->WaitAt(now) > Clock::duration::zero()) break;
            Pacer->PassStarts(now);
        }
        fired = true;
        if (State->Fire()) ++passes;
    }
    // Only the last pass of a refresh is seen: the others are not drawn.
    if (passes > 0) State->RunLoop().DrawLatest(State->Panel().Controls);
    return passes;
}

std::string TPageRun::Check(int example, long long passes) {
    TPanelValues panel = DrivenStartPanel();
    if (example > 0) SetExampleValues(panel, Examples[static_cast<std::size_t>(example - 1)]);
    State->StartWith(panel, example > 0 ? example - 1 : 0);
    // As the renderer: every pass drawn, so that a frame given up is given up at the same pass.
    TRunLoop& loop = State->RunLoop();
    loop.DrawEachPass = true;
    for (long long pass = 1; pass <= passes; ++pass) {
        State->Fire();
        if (BadField) return "error: " + *BadField;
    }
    loop.DrawEachPass = false;
    State->Pause();
    return "passes " + std::to_string(passes) + " " + Hashes();
}

std::string TPageRun::Hashes() const {
    const TRunLoop& loop = State->RunLoop();
    char line[64];
    std::snprintf(line, sizeof line, "state %016llx frame %016llx",
                  static_cast<unsigned long long>(HashState(loop.Net())),
                  static_cast<unsigned long long>(HashPicture(loop.View().Bitmap())));
    return line;
}

bool TPageRun::TakeFrame() {
    if (!FrameDrawn) return false;
    FrameDrawn = false;
    const TPicture& frame = State->RunLoop().View().Bitmap();
    std::transform(frame.Bits(), frame.Bits() + frame.Count(), Canvas.begin(), CanvasPixel);
    DrawnNodes.Take(State->RunLoop().Net(), State->RunLoop().View().ScreenPoints);
    return true;
}

std::optional<std::string> TPageRun::TakeBadField() {
    std::optional<std::string> message;
    message.swap(BadField);
    return message;
}
