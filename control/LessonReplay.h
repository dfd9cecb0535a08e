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

// A fresh session that has done what the lesson says, checked against its
// fingerprints, then handed to `front`; or one German message why not.
std::variant<std::unique_ptr<TSession>, std::string>
ReplayLesson(const TLesson& lesson, TPicture background, ISessionFront& front,
             const TReplayProgress& progress = {});
