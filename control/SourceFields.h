// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Net.h"

#include <array>
#include <optional>
#include <string>

// A run start with the source fields' texts: time and constants, then the
// sources field by field. A field that holds no whole number stops it there,
// keeping what it has set, and its message is returned.
std::optional<std::string> StartRunFromFields(TNet& net,
                                              const std::array<std::string, 4>& sourceFields);
