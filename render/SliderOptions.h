// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ControlTable.h"

#include <QString>

#include <array>

// The window's sliders as options of wogenfeld-render: the slider's range is
// the option's range.
struct TSliderOption {
    const char* Name;
    Slider Which;
};

inline constexpr std::array<TSliderOption, 7> SliderOptions = {{
    {"--frequency", Slider::Frequency},
    {"--amplitude", Slider::Amplitude},
    {"--coupling", Slider::Coupling},
    {"--rotate-x", Slider::RotationX},
    {"--rotate-y", Slider::RotationY},
    {"--rotate-z", Slider::RotationZ},
    {"--zoom", Slider::Zoom},
}};

// The slider's range as the usage text gives it: "0..1505".
QString RangeText(Slider slider);
// Its start position as text.
QString StartText(Slider slider);
