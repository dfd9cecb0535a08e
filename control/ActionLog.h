// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Commands.h"

#include <string>
#include <vector>

// Every action of a user on the session that can change what it does, so that
// a run can be made again bit for bit from its start.
enum class TActionKind {
    Activate,
    Slider,      // Which: the Slider, Value: its position
    Excitation,  // Value: 0 or 1
    CrossGrid,   // Value: 0 or 1
    Source,      // Which: 1 or 2, Value: 0 or 1
    SourceField, // Which: 0..3, Text
    Boundary,    // Value: the BoundaryMode
    Example,     // Value: 0..6
    Null,
    Pause,
    Continue,
    End,
    ResetView,
    Info,  // Value: 0 or 1
    Probe, // Which: 0..3; X, Y: the node, or 0, 0 for none
    Recording,
    WatchStart,
    WatchStop,
    WatchReset,
    // A firing that served a restart whose start failed, without a pass: the
    // start still set the net's time and constants.
    FailedStart,
    // One pass while paused.
    Step,
};

struct TAction {
    long long Pass = 0; // the passes the session had made when it came
    TActionKind Kind = TActionKind::Activate;
    int Which = 0;
    int Value = 0;
    int X = 0;
    int Y = 0;
    std::string Text; // UTF-8
};

// Where the actions start from: a session as created (the window's start
// values, not yet active) or one started with given controls.
struct TActionLog {
    bool StartedRunning = false;
    TPanelValues Start;
    int Example = 0; // 0..6
    std::vector<TAction> Actions;
};
