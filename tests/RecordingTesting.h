// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NetTesting.h"
#include "measure/Recording.h"

// Passes 1..`passes` of the window's start state with "Anregung" on, each
// recorded; the recording cleared before pass `restartAt`, as a new run
// clears it.
inline void RecordDrivenRun(TRecording& recording, const TProbeSlots& probes, long long passes,
                            long long restartAt = 0) {
    auto net = MakeNet(TPass{}.Mode);
    TPass pass;
    pass.Excitation.Excitation = true;
    for (long long k = 1; k <= passes; ++k) {
        const Extended ranAt = net->SimTime;
        RunPasses(*net, pass, 1);
        if (k == restartAt) recording.Clear();
        recording.Record(*net, k, ranAt, probes);
    }
}
