// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Pacer.h"
#include "control/Session.h"
#include "measure/DrawnNodes.h"
#include "web/PageEnergies.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The session as the page runs it: its passes within a share of each refresh
// of the screen, its frames as canvas pixels, the message of a bad source
// field kept until the page shows it, the check hook, and lessons opened in
// place of the session.
class TPageRun final : private ISessionFront {
  public:
    TPageRun();

    TSession& Session() { return *State; }
    const TSession& Session() const { return *State; }

    // At most `passesPerSecond` passes a second from now on.
    void PacePasses(int passesPerSecond) { Pacer.emplace(passesPerSecond); }

    // Fires the run loop until `budgetMilliseconds` are spent, the loop has no
    // work, a start fails or the pacer says wait; returns the passes run.
    int RunFor(double budgetMilliseconds);

    // The check of the page: the renderer's start (example 0: the window's,
    // 1..7 an example; "Anregung" on), `passes` passes, then paused. A line
    // "passes K state S frame F", or one beginning "error:".
    std::string Check(int example, long long passes);

    // Whether a frame was drawn since the last call; if so, its pixels are
    // now in CanvasPixels.
    bool TakeFrame();
    // RGBA bytes, as a canvas takes them, of the last frame taken.
    const std::uint8_t* CanvasPixels() const {
        return reinterpret_cast<const std::uint8_t*>(Canvas.data());
    }

    // The visible nodes as the last frame taken shows them.
    const TDrawnNodes& Drawn() const { return DrawnNodes; }

    // The message of the last start that met a bad source field, once.
    std::optional<std::string> TakeBadField();

    // "state S frame F", the hashes as wogenfeld-render --hash prints them.
    std::string Hashes() const;

    // Whether the recorded energies are summed in the page's worker; when it
    // stops, what still waits is summed here.
    void SumEnergiesElsewhere(bool elsewhere);
    TPageEnergies& Energies() { return PendingEnergies; }

    // Room for a lesson's `bytes`, which the page copies in before it opens them.
    char* LessonRoom(std::size_t bytes);
    // The lesson in the room replayed, and only if it arrives, its session in
    // place of the page's, its frame to be taken; or the German message why
    // not, the page's session untouched.
    std::optional<std::string> OpenLesson();

  private:
    void ReportBadSourceField(const std::string& message) override { BadField = message; }
    // The page's presenter and drawing on `session`, which becomes the page's.
    void Adopt(std::unique_ptr<TSession> session);

    TPageEnergies PendingEnergies;
    bool EnergiesElsewhere = false;
    std::unique_ptr<TSession> State;
    std::string LessonBytes;
    std::optional<TPacer> Pacer;
    std::optional<std::string> BadField;
    bool FrameDrawn = false;
    std::vector<std::uint32_t> Canvas;
    TDrawnNodes DrawnNodes;
};
