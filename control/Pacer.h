// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// Caps the run loop at a number of passes a second. Each pass has its slot,
// one period after the last one, so timer jitter does not make the rate
// drift; a pass that starts a whole period or more behind its slot (the
// machine is slower than the cap, or the run was paused) starts the count
// anew from itself, so the loop never races to catch up.
class TPacer {
  public:
    using Clock = std::chrono::steady_clock;

    explicit TPacer(int passesPerSecond);

    // How long the loop must still wait at `now` before its next pass.
    Clock::duration WaitAt(Clock::time_point now) const;
    // A pass starts at `now`.
    void PassStarts(Clock::time_point now);

  private:
    Clock::duration Period;
    Clock::time_point NextSlot;
    bool Started = false;
};
