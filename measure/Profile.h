// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Net.h"

#include <array>
#include <optional>
#include <string>

// The line of nodes a profile runs along.
enum class ProfileLine { None, Row, Column };

// The displacements of the visible net along the row Y = `index` (nodes
// X = 1..VisibleNodes) or the column X = `index` (Y = 1..VisibleNodes),
// counted as the source fields count.
std::array<Extended, VisibleNodes> ProfileOf(const TNet& net, ProfileLine line, int index);

// The profile as a table: a header, then the position along the line and Z.
std::string ProfileTable(const std::array<Extended, VisibleNodes>& profile, ProfileLine line);

// The wavelength in node spacings from the profile's sign changes (two per
// wavelength, each placed by linear interpolation), or nothing where fewer
// than three show one.
std::optional<double> WavelengthOf(const std::array<Extended, VisibleNodes>& profile);
