// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/WholeNumber.h"

#include <cstdint>
#include <limits>

std::optional<int> ParseWholeNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;

    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at == text.size()) return std::nullopt;

    // Accumulated in 64 bits and checked at every digit, so no length overflows.
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<int>::min()}
                                        : std::int64_t{std::numeric_limits<int>::max()};
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        // A byte of a character beyond ASCII is no digit either.
        const char c = text[at];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string NotAWholeNumberMessage(std::string_view text) {
    std::string message = "'";
    message += text;
    message += "' is not a valid integer value";
    return message;
}
