// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/Pacer.h"

// The period is rounded up to the clock's tick, so that the rate never exceeds
// the cap (a third of a second truncated would let a fourth pass into a second).
TPacer::TPacer(int passesPerSecond)
    : Period((std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) +
              Clock::duration(passesPerSecond - 1)) /
             passesPerSecond) {}

TPacer::Clock::duration TPacer::WaitAt(Clock::time_point now) const {
    if (!Started || now >= NextSlot) return Clock::duration::zero();
    return NextSlot - now;
}

void TPacer::PassStarts(Clock::time_point now) {
    const bool fellBehind = !Started || now - NextSlot >= Period;
    NextSlot = (fellBehind ? now : NextSlot) + Period;
    Started = true;
}
