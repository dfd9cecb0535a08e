// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

// The colours of the measuring charts and markers, so that the window, the
// renderer's picture and the page draw alike.
struct TRgb {
    int Red;
    int Green;
    int Blue;
};

// The probes', by their place; more columns than colours take them again.
inline constexpr std::array<TRgb, 6> ProbeColours{
    {{192, 57, 43}, {31, 97, 141}, {17, 122, 101}, {125, 60, 152}, {214, 137, 16}, {86, 101, 115}}};

// The energies: kinetic, own springs, coupling springs, total.
inline constexpr std::array<TRgb, 4> EnergyColours{
    {{46, 134, 193}, {39, 174, 96}, {230, 126, 34}, {0, 0, 0}}};
