// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/PassRate.h"

std::optional<int> ParsePassesPerSecond(std::string_view text) {
    if (text.empty()) return std::nullopt;
    // Digits only, counted as they come, so that no length of them overflows.
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > MostPassesPerSecond) return std::nullopt;
    }
    if (value < FewestPassesPerSecond) return std::nullopt;
    return value;
}

std::string BadPassesMessage(std::string_view source, std::string_view text) {
    std::string message(source);
    message += " must be a whole number from " + std::to_string(FewestPassesPerSecond) + " to " +
               std::to_string(MostPassesPerSecond) + ", not '";
    message += text;
    message += "'";
    return message;
}
