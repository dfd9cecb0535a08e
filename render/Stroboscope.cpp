// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Stroboscope.h"

bool TStroboscope::Flash(Extended phase) {
    const Extended turns = Floor(phase / TwoPi);
    const bool flash = turns > Turns;
    Turns = turns;
    return flash;
}
