// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"

#include <QLocale>
#include <QString>

// Digits with '.' as the decimal separator, given the locale's.
QString LocalDecimals(QString digits, const QLocale& locale = QLocale());

// "Frequenz" display: Omega / (2 pi) with two decimals and the locale's decimal separator.
QString FrequencyText(Extended omega, const QLocale& locale = QLocale());

// "Amplitude" and "Kopplung" displays: the slider position as a whole number.
QString PositionText(int position);
