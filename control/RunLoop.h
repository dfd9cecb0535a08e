// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ControlPanel.h"

#include "view/TPicture.h"

#include <memory>

class TView;

// The loop's own flags and counts besides the net, to go back to.
struct TLoopMarks {
    bool PauseFlag = false;
    bool EndFlag = false;
    bool RestartRequested = false;
    bool RunGoingOn = false;
    Extended LastPassTime = 0;
    long long Starts = 0;
    long long Passes = 0;
};

// The run loop's state and one firing of it: a pending restart served, then
// one pass (step, drive, rotation, drawing, time). Waiting and delivering the
// window's messages between firings is the caller's event loop.
class TRunLoop {
  public:
    // background: the picture every frame starts from.
    explicit TRunLoop(TPicture background);
    ~TRunLoop();

    TNet& Net() { return *NetState; }
    const TNet& Net() const { return *NetState; }
    TView& View() { return *ViewState; }
    const TView& View() const { return *ViewState; }

    bool PauseFlag = false;
    bool EndFlag = false;

    // Several requests before the loop serves them count as one.
    void RequestRestart() { RestartRequested = true; }
    bool RestartPending() const { return RestartRequested; }
    // A run has started; false while idle.
    bool Running() const { return RunGoingOn; }
    // Whether the loop has work: a restart to serve or a run that is not paused.
    bool WantsToFire() const;

    void Fire(IControlPanel& panel);

    // Whether every pass turns and draws the view. A front end that shows
    // only the last of several passes may switch it off and draw that last
    // one with DrawLatest: the same frame, as a pass's turn and drawing read
    // nothing that the rest of the pass changes after them.
    bool DrawEachPass = true;
    void DrawLatest(const TControlState& controls);

    // The passes' common part, for the window's loop and for programs without one.
    void RunPass(const TControlState& controls);
    // The simulated time the last pass ran at, before it advanced the time.
    Extended PassTime() const { return LastPassTime; }
    // How many runs have started, and the passes of the current one, so that
    // what follows the loop can tell a fresh run and a new pass.
    long long RunsStarted() const { return Starts; }
    long long PassesOfRun() const { return Passes; }

    TLoopMarks Marks() const;
    void Restore(const TLoopMarks& marks);

  private:
    // Time and constants, then the sources field by field; a bad field stops
    // it there and is reported. Returns whether it got through.
    bool StartRun(IControlPanel& panel);

    std::unique_ptr<TNet> NetState;
    std::unique_ptr<TView> ViewState;
    bool RestartRequested = false;
    bool RunGoingOn = false;
    Extended LastPassTime = 0;
    long long Starts = 0;
    long long Passes = 0;
};
