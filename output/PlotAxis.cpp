// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PlotAxis.h"

#include <algorithm>
#include <cmath>

TAxis TAxis::Over(double low, double high, int ticks) {
    if (!(high > low)) {
        const double spread = low == 0 ? 1 : std::fabs(low) / 10;
        low -= spread;
        high += spread;
    }
    const double rough = (high - low) / std::max(ticks, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    TAxis axis;
    axis.Step = step;
    axis.Low = std::floor(low / step) * step;
    axis.High = std::ceil(high / step) * step;
    axis.Decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    return axis;
}

std::vector<double> TAxis::Ticks() const {
    std::vector<double> ticks;
    const auto count = std::lround((High - Low) / Step);
    for (long k = 0; k <= count; ++k)
        ticks.push_back(Low + static_cast<double>(k) * Step);
    return ticks;
}
