// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Displays.h"

#include "control/DisplayTexts.h"

QString LocalDecimals(QString digits, const QLocale& locale) {
    digits.replace(u'.', locale.decimalPoint());
    return digits;
}

QString FrequencyText(Extended omega, const QLocale& locale) {
    return LocalDecimals(QString::fromStdString(FrequencyDigits(omega)), locale);
}

QString PositionText(int position) {
    return QString::fromStdString(PositionDigits(position));
}
