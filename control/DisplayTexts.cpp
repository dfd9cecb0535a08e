// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/DisplayTexts.h"

std::string FrequencyDigits(Extended omega) {
    // Rounded from the extended value itself, not from a double copy of it.
    return TwoDecimalText(omega / TwoPi);
}

std::string PositionDigits(int position) {
    return std::to_string(position);
}
