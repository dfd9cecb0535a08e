// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Lesson.h"
#include "control/Session.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>

// The lesson of what `session` has done since its start; `program` the version.
TLesson LessonOf(const TSession& session, const std::string& program);

// Told the fraction of the passes replayed so far, now and then; false cancels.
using TReplayProgress = std::function<bool(double done)>;

// How a replay draws: only the last pass before each action and at the end,
// several times faster and the same frame unless that pass's frame was given
// up (then the run showed an older one); or every pass, as the run did.
enum class TReplayDrawing { LastPasses, EveryPass };

// A fresh session that has done what the lesson says, checked against its
// fingerprints, then handed to `front`; or one German message why not. It
// draws the last passes, and every pass again where only the frame differs.
std::variant<std::unique_ptr<TSession>, std::string>
ReplayLesson(const TLesson& lesson, TPicture background, ISessionFront& front,
             const TReplayProgress& progress = {});
// The same, drawn one way only; `frameOnly`, if given, tells whether only the
// frame differed.
std::variant<std::unique_ptr<TSession>, std::string>
ReplayLessonDrawing(const TLesson& lesson, TPicture background, ISessionFront& front,
                    TReplayDrawing drawing, const TReplayProgress& progress = {},
                    bool* frameOnly = nullptr);
