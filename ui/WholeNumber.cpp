// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WholeNumber.h"

#include <cstdint>
#include <limits>

std::optional<int> ParseWholeNumber(const QString& text) {
    qsizetype at = 0;
    while (at < text.size() && text[at] == u' ') ++at;

    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    if (at == text.size()) return std::nullopt;

    // Accumulated in 64 bits and checked at every digit, so no length overflows.
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<int>::min()}
                                        : std::int64_t{std::numeric_limits<int>::max()};
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QString NotAWholeNumberMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
