// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/DisplayTexts.h"

#include <cstdio>

std::string FrequencyDigits(Extended omega) {
    const Extended frequency = omega / TwoPi;
    // Rounded from the extended value itself, not from a double copy of it.
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.2Lf", frequency);
    return digits;
}

std::string PositionDigits(int position) { return std::to_string(position); }
