// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// The ticks of a chart axis: round values (1, 2 or 5 times a power of ten
// apart) over a range grown to begin and end on a tick.
struct TAxis {
    double Low = 0;
    double High = 1;
    double Step = 1;
    int Decimals = 0; // digits after the decimal point that the tick labels need

    // An axis over [low, high] with at most about `ticks` ticks; an empty range
    // is widened around its value.
    static TAxis Over(double low, double high, int ticks);
    std::vector<double> Ticks() const;
};
