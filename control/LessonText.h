// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Lesson.h"

#include <string>
#include <string_view>
#include <variant>

// The lesson as a text file: UTF-8, one key and its values per line, in a
// fixed order (docs/lesson-file.md).
std::string LessonText(const TLesson& lesson);

// The lesson a text holds, every value in its range, or one German message
// that says what is wrong and, where it is one line, which.
std::variant<TLesson, std::string> ReadLesson(std::string_view text);
