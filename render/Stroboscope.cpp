// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Stroboscope.h"

#include <cmath>

bool TStroboscope::Flash(Extended phase) {
    const Extended turns = std::floor(phase / TwoPi);
    const bool flash = turns > Turns;
    Turns = turns;
    return flash;
}
