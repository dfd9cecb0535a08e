// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/BoundaryMode.h"

#include <array>

// One ready-made experiment of "Beispiele": the states it gives the controls.
struct TExample {
    const char* Caption;                    // its radio button's caption (UTF-8)
    std::array<const char*, 4> SourceTexts; // Edit1..Edit4: x, y of source 1, x, y of source 2
    int Frequency;                          // ScrollBar1
    int Amplitude;                          // ScrollBar6
    int Coupling;                           // ScrollBar5
    bool Source1;                           // CheckBox3
    bool Source2;                           // CheckBox4
    BoundaryMode Mode;                      // the "Begrenzung" button it checks
};

// In the order of the group. The last one's radio button also drives the
// straight wavefront for as long as it is checked.
inline constexpr std::array<TExample, 7> Examples = {{
    {"Punktquelle zentral",
     {"36", "36", "36", "36"},
     800,
     40,
     100,
     true,
     false,
     BoundaryMode::DampedBorder},
    {"Punktquelle Ecke",
     {"1", "1", "1", "1"},
     800,
     80,
     100,
     true,
     false,
     BoundaryMode::DampedBorder},
    {"Zwei Punktquellen eng",
     {"28", "1", "44", "1"},
     800,
     30,
     100,
     true,
     true,
     BoundaryMode::DampedBorder},
    {"Zwei Punktquellen weit",
     {"24", "1", "48", "1"},
     800,
     30,
     100,
     true,
     true,
     BoundaryMode::DampedBorder},
    {"eingespannte Membrane",
     {"36", "36", "36", "36"},
     410,
     30,
     1500,
     true,
     false,
     BoundaryMode::FixedEnd},
    {"lose Membrane", {"36", "36", "36", "36"}, 500, 30, 1500, true, false, BoundaryMode::LooseEnd},
    {"gerade Wellenfront",
     {"36", "36", "36", "36"},
     770,
     15,
     100,
     false,
     false,
     BoundaryMode::DampedBorder},
}};
