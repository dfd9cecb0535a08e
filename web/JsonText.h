// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Appends `text` (UTF-8) to `json` as a JSON string, quoted and escaped.
void AppendJsonString(std::string& json, std::string_view text);
