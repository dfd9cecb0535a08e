// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/WaveSummary.h"

#include "measure/LatticeWave.h"
#include "measure/Profile.h"

#include <numbers>

namespace {

QString Fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace

QString WaveSummary(const std::array<Extended, VisibleNodes>& profile, const TNet& net) {
    const double omega = static_cast<double>(net.Omega);
    const std::optional<TLatticeWave> lattice =
        LatticeWave(omega, static_cast<double>(net.Coupling), static_cast<double>(net.Restoring));
    const QString predicted =
        lattice
            ? QStringLiteral("the lattice's dispersion gives %1").arg(Fixed(lattice->PhaseSpeed, 2))
            : QStringLiteral("the lattice carries no travelling wave at this frequency");
    const std::optional<double> length = WavelengthOf(profile);
    if (!length)
        return QStringLiteral("no wavelength (fewer than three zero crossings); ") + predicted;
    // Every node the wave has reached swings at the drive's frequency.
    const double speed = *length * omega / (2 * std::numbers::pi);
    QString text = QStringLiteral("wavelength %1 node spacings; v = wavelength * frequency = %2 "
                                  "node spacings per unit of time, %3")
                       .arg(Fixed(*length, 2), Fixed(speed, 2), predicted);
    if (lattice) {
        const double off = PercentOff(speed, lattice->PhaseSpeed);
        text += QStringLiteral(" (%1%2 %)")
                    .arg(off > 0 ? QStringLiteral("+") : QString(), Fixed(off, 1));
    }
    return text;
}
