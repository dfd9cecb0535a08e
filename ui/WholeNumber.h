// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// A source field's text as a whole number: optional leading blanks, an optional
// sign and decimal digits, within 32 bits. Anything else is no whole number.
std::optional<int> ParseWholeNumber(const QString& text);

// The error box's text for a field that holds no whole number.
QString NotAWholeNumberMessage(const QString& text);
