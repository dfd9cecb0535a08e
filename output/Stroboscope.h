// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"

// Picks one pass per period of the drive: the first pass at which the drive's
// phase Omega * SimTime has come round to 0 again, that is reached the next
// whole multiple of 2 pi. Seen at these passes, a pattern that the drive keeps
// up stands still, and one that changes moves slowly.
class TStroboscope {
  public:
    // `phase`: Omega times the SimTime the pass's drive ran at. Passes come in
    // order of their time.
    bool Flash(Extended phase);

  private:
    Extended Turns = 0; // whole turns of the phase at the last pass
};
