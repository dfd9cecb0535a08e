// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Examples.h"
#include "view/ViewControls.h"

#include <array>
#include <cstddef>

// The window's seven sliders: what the window, the renderer's options and the
// run loop read of them. Their places and captions are the form's.
enum class Slider { Frequency, Amplitude, Coupling, RotationX, RotationY, RotationZ, Zoom };

struct TSliderRow {
    const char* Name; // the scroll bar in the form
    int Minimum;
    int Maximum;
    int Start; // its position when the window is created
    int SingleStep;
    int PageStep;
};

// In the order of Slider. The window starts with the first example's values.
inline constexpr std::array<TSliderRow, 7> Sliders = {{
    {"ScrollBar1", 0, 1505, Examples.front().Frequency, 1, 1}, // Omega = position * 0.01
    {"ScrollBar6", 0, 100, Examples.front().Amplitude, 1, 1},
    {"ScrollBar5", 0, 1500, Examples.front().Coupling, 1, 1},
    {"ScrollBar2", -180, 180, 60, 1, 1}, // degrees
    {"ScrollBar3", -180, 180, 0, 1, 1},
    {"ScrollBar4", -180, 180, 0, 1, 1},
    {"ScrollBar7", 5, 30, 11, 1, 1}, // tenths
}};

constexpr const TSliderRow& SliderRow(Slider slider) {
    return Sliders[static_cast<std::size_t>(slider)];
}
constexpr int StartOf(Slider slider) {
    return SliderRow(slider).Start;
}

// The view as "Rücksetzen" leaves it; "Kreuzgitter" as given.
constexpr TViewControls StartView(bool crossGrid) {
    return {.RotationX = StartOf(Slider::RotationX),
            .RotationY = StartOf(Slider::RotationY),
            .RotationZ = StartOf(Slider::RotationZ),
            .ZoomPosition = StartOf(Slider::Zoom),
            .CrossGrid = crossGrid};
}
