// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Session.h"

#include <string>

// What "Messung" shows of the probes, the wavelength, the stopwatch and the
// run, in German, the same in the window and on the page.

// A number with `decimals` places, "," before them and "." between thousands.
std::string GermanNumber(double value, int decimals);
std::string GermanCount(long long value);

// A probe's amplitude, period, frequency and angular frequency.
std::string ProbeText(const TSession& session, std::size_t slot);
// How far a probe lags behind probe 1; empty for probe 1 and an empty place.
std::string PhaseText(const TSession& session, std::size_t slot);
// Along the row (or column) of probe 1.
std::string WavelengthText(const TSession& session, bool alongRow);
// The phase speed v = lambda * f from the wavelength and probe 1's frequency.
std::string SpeedText(const TSession& session, bool alongRow);
// The speed the net's dispersion gives for the coupling and drive frequency
// in force, and how far the measured one is off it.
std::string LatticeText(const TSession& session, bool alongRow);
std::string WatchText(double time);
std::string PassesText(long long passes);
