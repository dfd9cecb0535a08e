// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A source field's text (UTF-8) as a whole number: optional leading blanks, an
// optional sign and decimal digits, within 32 bits. Anything else is no whole number.
std::optional<int> ParseWholeNumber(std::string_view text);

// The error box's text for a field that holds no whole number.
std::string NotAWholeNumberMessage(std::string_view text);
