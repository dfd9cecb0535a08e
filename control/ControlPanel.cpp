// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/ControlPanel.h"

int& SliderPosition(TControlState& controls, Slider slider) {
    switch (slider) {
    case Slider::Frequency:
        return controls.Excitation.FrequencyPosition;
    case Slider::Amplitude:
        return controls.AmplitudePosition;
    case Slider::Coupling:
        return controls.CouplingPosition;
    case Slider::RotationX:
        return controls.View.RotationX;
    case Slider::RotationY:
        return controls.View.RotationY;
    case Slider::RotationZ:
        return controls.View.RotationZ;
    case Slider::Zoom:
        return controls.View.ZoomPosition;
    }
    __builtin_unreachable(); // every slider is named above
}
