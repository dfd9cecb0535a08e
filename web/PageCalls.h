// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/PageRun.h"

#include <string>

// The one run of the page, behind every call.
TPageRun& ThePage();

// Keeps `text` as the call's answer until the next call that returns one.
const char* Answer(std::string text);
