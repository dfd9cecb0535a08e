// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The seven examples of "Beispiele", written out here row by row as the tests
// expect them, apart from the table the program uses.

#include "NetTesting.h"

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

struct TExampleRow {
    const char* Button;                // its radio button in "Beispiele"
    const char* Caption;               // UTF-8
    std::array<const char*, 4> Fields; // Edit1, Edit2 (source 1), Edit3, Edit4 (source 2)
    int Frequency;                     // ScrollBar1
    int Amplitude;                     // ScrollBar6
    int Coupling;                      // ScrollBar5
    bool Source1;                      // CheckBox3 "1"
    bool Source2;                      // CheckBox4 "2"
    const char* Boundary;              // the "Begrenzung" radio button it checks
    const char* BoundaryCaption;
    BoundaryMode Mode;
    const char* FrequencyText; // Edit5: Omega / 2 pi = position / 100 / 2 pi, two decimals
};

// 800 / 100 / 2 pi = 1.273, 410: 0.653, 500: 0.796, 770: 1.225.
// clang-format off
inline const std::array<TExampleRow, 7> ExampleRows = {{
    {"RadioButton1", "Punktquelle zentral", {"36", "36", "36", "36"}, 800, 40, 100, true, false,
     "RadioButton6", "Rand-Dämpfung", BoundaryMode::DampedBorder, "1.27"},
    {"RadioButton2", "Punktquelle Ecke", {"1", "1", "1", "1"}, 800, 80, 100, true, false,
     "RadioButton6", "Rand-Dämpfung", BoundaryMode::DampedBorder, "1.27"},
    {"RadioButton3", "Zwei Punktquellen eng", {"28", "1", "44", "1"}, 800, 30, 100, true, true,
     "RadioButton6", "Rand-Dämpfung", BoundaryMode::DampedBorder, "1.27"},
    {"RadioButton4", "Zwei Punktquellen weit", {"24", "1", "48", "1"}, 800, 30, 100, true, true,
     "RadioButton6", "Rand-Dämpfung", BoundaryMode::DampedBorder, "1.27"},
    {"RadioButton5", "eingespannte Membrane", {"36", "36", "36", "36"}, 410, 30, 1500, true, false,
     "RadioButton8", "Reflexion (festes Ende)", BoundaryMode::FixedEnd, "0.65"},
    {"RadioButton9", "lose Membrane", {"36", "36", "36", "36"}, 500, 30, 1500, true, false,
     "RadioButton7", "Reflexion (loses Ende)", BoundaryMode::LooseEnd, "0.80"},
    {"RadioButton10", "gerade Wellenfront", {"36", "36", "36", "36"}, 770, 15, 100, false, false,
     "RadioButton6", "Rand-Dämpfung", BoundaryMode::DampedBorder, "1.23"},
}};
// clang-format on

// The last example's radio button also drives the straight wavefront while it is checked.
inline bool DrivesWavefront(const TExampleRow& row) {
    return std::string(row.Button) == "RadioButton10";
}

inline int Typed(const TExampleRow& row, int field) {
    return std::atoi(row.Fields[static_cast<std::size_t>(field)]);
}

// A pass of the run loop with the example's controls, "Anregung" on and the
// view's start state ("Kreuzgitter" checked).
inline TPass ExamplePass(const TExampleRow& row) {
    TPass pass{
        .Mode = row.Mode, .CrossGrid = true, .Coupling = row.Coupling, .Amplitude = row.Amplitude};
    pass.Excitation = {.Excitation = true,
                       .FrequencyPosition = row.Frequency,
                       .Source1 = row.Source1,
                       .Source2 = row.Source2,
                       .Wavefront = DrivesWavefront(row)};
    return pass;
}

// The net after `passes` passes of the example from rest.
inline std::unique_ptr<TNet> ExampleNet(const TExampleRow& row, int passes) {
    auto net = MakeNet(row.Mode);
    net->StartRun({Typed(row, 0), Typed(row, 1), Typed(row, 2), Typed(row, 3)});
    RunPasses(*net, ExamplePass(row), passes);
    return net;
}
