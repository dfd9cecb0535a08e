// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Net.h"

#include <QString>

#include <array>

// What a profile of the net shows of its wave, for the renderer's message:
// the wavelength, the phase speed v = wavelength * the drive's frequency, and
// the speed the net's dispersion gives for its coupling and drive.
QString WaveSummary(const std::array<Extended, VisibleNodes>& profile, const TNet& net);
