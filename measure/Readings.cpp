// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/Readings.h"

#include <algorithm>
#include <cmath>

std::optional<TProbeReading> ReadProbe(const TRecording& recording, std::size_t slot, double span) {
    if (recording.Count() < 2) return std::nullopt;
    const double newest = recording.At(recording.Count() - 1).SimTime;
    double rises[2];
    int found = 0;
    double low = 0;
    double high = 0;
    // From the newest pass back: the crossings between a pass and the one before it.
    for (std::size_t k = recording.Count() - 1; k > 0 && found < 2; --k) {
        const TSeriesRow& later = recording.At(k);
        const TSeriesRow& earlier = recording.At(k - 1);
        if (earlier.SimTime < newest - span) break;
        const std::optional<double> b = later.Probes[slot];
        const std::optional<double> a = earlier.Probes[slot];
        if (!a || !b) break;
        if (found == 1) {
            low = std::min(low, *b);
            high = std::max(high, *b);
        }
        if (*a < 0 && *b >= 0) {
            rises[found++] =
                earlier.SimTime + (later.SimTime - earlier.SimTime) * (-*a / (*b - *a));
            if (found == 1) low = high = *b;
        }
    }
    if (found < 2) return std::nullopt;
    return TProbeReading{(high - low) / 2, rises[0] - rises[1], rises[0]};
}

double PhaseLag(const TProbeReading& reference, const TProbeReading& other) {
    const double turns = (other.LastRise - reference.LastRise) / reference.Period;
    double degrees = 360 * (turns - std::floor(turns));
    if (degrees > 180) degrees -= 360;
    return degrees;
}

PhaseRelation RelationOf(double lagDegrees) {
    const double off = std::fabs(lagDegrees);
    if (off <= 10) return PhaseRelation::InPhase;
    if (off >= 170) return PhaseRelation::InAntiphase;
    return PhaseRelation::Other;
}
