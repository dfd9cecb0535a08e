// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/Stopwatch.h"

void TStopwatch::Start(double now) {
    if (!StartedAt) StartedAt = now;
}

void TStopwatch::Stop(double now) {
    if (StartedAt) Total += now - *StartedAt;
    StartedAt.reset();
}

void TStopwatch::Reset(double now) {
    Total = 0;
    if (StartedAt) StartedAt = now;
}

void TStopwatch::Clear() {
    Total = 0;
    StartedAt.reset();
}

double TStopwatch::Time(double now) const {
    return Total + (StartedAt ? now - *StartedAt : 0);
}
