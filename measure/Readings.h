// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/Recording.h"

#include <optional>

// A probe's oscillation as its last two upward zero crossings show it.
struct TProbeReading {
    double Amplitude = 0; // half the swing between the two crossings
    double Period = 0;    // the time between them
    double LastRise = 0;  // the time of the later one
};

// The reading of the probe at `slot` from the passes of the last `span` of
// simulated time; nothing while they hold fewer than two upward crossings.
std::optional<TProbeReading> ReadProbe(const TRecording& recording, std::size_t slot, double span);

// How far `other` lags behind `reference`, in degrees of the reference's
// period, from -180 (exclusive) to 180.
double PhaseLag(const TProbeReading& reference, const TProbeReading& other);

// Whether two oscillations move together or against each other, within 10 degrees.
enum class PhaseRelation { Other, InPhase, InAntiphase };
PhaseRelation RelationOf(double lagDegrees);
