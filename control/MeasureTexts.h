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
std::string WatchText(double time);
std::string PassesText(long long passes);
