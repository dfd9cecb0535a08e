// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The shortest text that reads back as `value`, fixed or scientific, whichever
// is shorter (fixed on a tie), as std::to_chars writes it; for a standard
// library without the floating-point to_chars (the WebAssembly build's).
std::string ShortestDigits(double value);
