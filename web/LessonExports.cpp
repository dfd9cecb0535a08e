// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls for lessons: the lesson text of its session, and a
// lesson's bytes opened in place of it.
#include "control/LessonReplay.h"
#include "control/LessonText.h"
#include "web/PageCalls.h"

#include <emscripten/emscripten.h>

#include <optional>
#include <string>

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* wf_lesson() {
    return Answer(LessonText(LessonOf(ThePage().Session(), WOGENFELD_VERSION)));
}
// Where the page puts a lesson's `bytes` before it calls wf_open_lesson.
EMSCRIPTEN_KEEPALIVE char* wf_lesson_room(int bytes) {
    return ThePage().LessonRoom(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
}
// An empty text when the lesson is open, else the German message why not.
EMSCRIPTEN_KEEPALIVE const char* wf_open_lesson() {
    return Answer(ThePage().OpenLesson().value_or(""));
}

} // extern "C"
