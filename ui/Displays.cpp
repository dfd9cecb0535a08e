// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Displays.h"

#include <cstdio>

QString FrequencyText(Extended omega, const QLocale& locale) {
    const Extended frequency = omega / TwoPi;
    // Rounded from the extended value itself, not from a double copy of it.
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.2Lf", frequency);
    QString text = QString::fromLatin1(digits);
    text.replace(u'.', locale.decimalPoint());
    return text;
}

QString PositionText(int position) { return QString::number(position); }
