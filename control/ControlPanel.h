// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ControlTable.h"
#include "sim/BoundaryMode.h"
#include "sim/Net.h"
#include "view/ViewControls.h"

#include <array>
#include <string>

// The controls a pass of the run loop reads, as plain values.
struct TControlState {
    BoundaryMode Mode = BoundaryMode::DampedBorder;     // the checked "Begrenzung" button
    int CouplingPosition = StartOf(Slider::Coupling);   // ScrollBar5 "Kopplung"
    int AmplitudePosition = StartOf(Slider::Amplitude); // ScrollBar6 "Amplitude"
    TExcitationControls Excitation;
    TViewControls View;
};

// The position of `slider` among the controls.
int& SliderPosition(TControlState& controls, Slider slider);

// What the run loop asks of whatever holds the controls: the session of the
// window and the page, or the renderer.
class IControlPanel {
  public:
    virtual TControlState ReadControls() const = 0;
    // The texts of Edit1..Edit4 in UTF-8, read at every run start.
    virtual std::array<std::string, 4> ReadSourceFields() const = 0;
    // A run start met a field that holds no whole number.
    virtual void ReportBadSourceField(const std::string& message) = 0;

  protected:
    ~IControlPanel() = default;
};
