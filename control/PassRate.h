// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The cap a run may be given on its passes a second.
inline constexpr int FewestPassesPerSecond = 1;
inline constexpr int MostPassesPerSecond = 10000;

// A decimal whole number in the allowed range, nothing around it.
std::optional<int> ParsePassesPerSecond(std::string_view text);

// What is said of a refused cap: `source` names where it came from.
std::string BadPassesMessage(std::string_view source, std::string_view text);
