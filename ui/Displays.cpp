// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Displays.h"

QString FrequencyText(Extended omega, const QLocale& locale) {
    const Extended frequency = omega / TwoPi;
    // Rounded from the extended value itself, not from a double copy of it.
    QString text = QString::fromStdString(TwoDecimalText(frequency));
    text.replace(u'.', locale.decimalPoint());
    return text;
}

QString PositionText(int position) { return QString::number(position); }
