// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Session.h"
#include "render/RenderSettings.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

// The window's session without the window: the controls are fixed values,
// and the frames are kept instead of shown.
class TRenderer final : private ISessionFront {
  public:
    // A run of the settings' controls, started as the window starts one.
    explicit TRenderer(const TRenderSettings& settings);
    // The run a lesson has been replayed to, going on from there.
    explicit TRenderer(std::unique_ptr<TSession> replayed);

    // The probes of the session, so that its lesson keeps them: the first
    // four of `probes`, each in its place.
    void SetProbes(const std::vector<TNodePosition>& probes);

    // One firing of the run loop; false once a run start has failed.
    bool Pass();

    const TNet& Net() const { return State->RunLoop().Net(); }
    const TView& View() const { return State->RunLoop().View(); }
    const TSession& Session() const { return *State; }
    // The simulated time the last pass ran at: the time of its drive.
    Extended PassTime() const { return State->RunLoop().PassTime(); }
    // The last frame drawn; an abandoned frame leaves it as it was.
    const QImage& Frame() const;
    const QString& Error() const { return FailedStart; }

    std::uint64_t FrameHash() const;

  private:
    void ReportBadSourceField(const std::string& message) override {
        FailedStart = QString::fromStdString(message);
    }

    std::unique_ptr<TSession> State;
    const QImage FrameImage; // the view's picture, its pixels not copied
    QString FailedStart;
};

// The picture every frame of the renderer starts from.
TPicture RenderBackground();
