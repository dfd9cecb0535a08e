// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"

#include <string>

// The value displays' digits, for every front end of the net.

// "Frequenz": Omega / (2 pi) with two decimals and '.' as the decimal separator.
std::string FrequencyDigits(Extended omega);

// "Amplitude" and "Kopplung": the slider position as a whole number.
std::string PositionDigits(int position);
