// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"

// sum += x * x and sum += (b - a) * (b - a), each operation rounded: the
// energies' sums. The software reals have a faster path of the same bits.
#ifdef WOGENFELD_SOFT_EXTENDED

#include "real/SoftSquareSum.h"

using TSquareSum = TSoftSquareSum;

#else

class TSquareSum {
  public:
    void AddSquare(Extended x) { Sum += x * x; }
    void AddSquaredDifference(Extended a, Extended b) {
        const Extended d = b - a;
        Sum += d * d;
    }
    Extended Value() const { return Sum; }

  private:
    Extended Sum = 0;
};

#endif
