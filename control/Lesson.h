// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ActionLog.h"
#include "measure/Recording.h"
#include "view/ViewControls.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A moment of a run as a teacher keeps it: where the run started, every
// action since, and what it came to, with fingerprints to check it by.
struct TLesson {
    std::string Program; // the version of the program that wrote it
    TActionLog Log;
    // What the run came to: the probes, the view, the passes made since the
    // start and the fingerprints of the net's state and of the frame.
    TProbeSlots Probes;
    TViewControls View;
    long long Passes = 0;
    std::uint64_t StateHash = 0;
    std::uint64_t FrameHash = 0;
};

inline constexpr int LessonFormat = 1;
// A lesson of hours of passes and thousands of actions takes far less.
inline constexpr std::size_t MaxLessonBytes = 10'000'000;
// About two hours of replaying on the slowest front end; a number beyond it
// is a damaged file, not a lesson.
inline constexpr long long MaxLessonPasses = 10'000'000;
