// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "real/SoftExtended.h"

// x = n pi/2 + (head + tail), |head + tail| <= pi/4, for a finite x with
// |x| >= 1/2: the quadrant n (its lowest bits are enough) and the remainder
// in two parts, as glibc's reduction for its extended sine and cosine makes
// them, bit for bit.
struct TReduced {
    int Quadrant;
    TSoftExtended Head;
    TSoftExtended Tail;
};
TReduced ReduceByHalfPi(TSoftExtended x);
