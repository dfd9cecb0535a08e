// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/RenderSettings.h"

#include <cstdio>

// Exit statuses of wogenfeld-render.
inline constexpr int RenderSucceeded = 0;
inline constexpr int RenderFailed = 1; // a run start failed, or a file could not be written
inline constexpr int BadArguments = 2; // an output that cannot be opened counts here too

// Runs the net as `settings` ask and writes what they ask for; messages and
// progress go to `messages`, the hashes to standard output. The exit status.
int RunRender(const TRenderSettings& settings, std::FILE* messages);
