// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Displays.h"

#include "control/DisplayTexts.h"

QString FrequencyText(Extended omega, const QLocale& locale) {
    QString text = QString::fromStdString(FrequencyDigits(omega));
    text.replace(u'.', locale.decimalPoint());
    return text;
}

QString PositionText(int position) {
    return QString::fromStdString(PositionDigits(position));
}
