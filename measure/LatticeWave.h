// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// A plane wave along a row of the net, Z = cos(kappa x - omega t) with x in
// node spacings. In Z'' = -Restoring Z + Coupling (sum of the neighbours - 4 Z)
// it needs omega^2 = Restoring + 4 Coupling sin^2(kappa / 2).
struct TLatticeWave {
    double WaveNumber; // kappa, in radians per node spacing
    double Wavelength; // 2 pi / kappa, in node spacings
    double PhaseSpeed; // omega / kappa, in node spacings per unit of simulated time
};

// The wave the net carries at the drive's angular frequency `omega`; nothing
// where omega^2 lies outside (Restoring, Restoring + 4 Coupling): below, the
// pendulums' own springs hold the whole net to swing alike and no wave runs;
// above, neighbours swing against each other and the wave dies away from its
// source.
std::optional<TLatticeWave> LatticeWave(double omega, double coupling, double restoring);

// How far a measured value lies off the predicted one, in percent, rounded to
// a tenth; never -0, which would show a sign for no deviation.
double PercentOff(double measured, double predicted);
