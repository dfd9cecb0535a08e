// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Stroboscope.h"

bool TStroboscope::Flash(Extended phase) {
    const Extended turns = Floor(phase / TwoPi);
    const bool flash = turns > Turns;
    Turns = turns;
    return flash;
}
