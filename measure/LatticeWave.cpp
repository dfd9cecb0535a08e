// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/LatticeWave.h"

#include <cmath>
#include <numbers>

std::optional<TLatticeWave> LatticeWave(double omega, double coupling, double restoring) {
    const double sineSquared = (omega * omega - restoring) / (4 * coupling); // sin^2(kappa / 2)
    // Also false without coupling (a quotient of infinity or NaN) and at the
    // band's edges, where kappa = 0 (no wave) or pi (a standing wave).
    if (!(omega > 0 && sineSquared > 0 && sineSquared < 1)) return std::nullopt;
    const double kappa = 2 * std::asin(std::sqrt(sineSquared));
    return TLatticeWave{kappa, 2 * std::numbers::pi / kappa, omega / kappa};
}

double PercentOff(double measured, double predicted) {
    // Adding 0 turns -0 into 0.
    return std::round(1000 * (measured / predicted - 1)) / 10 + 0.0;
}
