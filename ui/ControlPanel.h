// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/BoundaryMode.h"
#include "sim/Net.h"
#include "view/ViewControls.h"

#include <QString>

#include <array>

// The controls a pass of the run loop reads, as plain values.
struct TControlState {
    BoundaryMode Mode = BoundaryMode::DampedBorder; // the checked "Begrenzung" button
    int CouplingPosition = 100;                     // ScrollBar5 "Kopplung"
    int AmplitudePosition = 40;                     // ScrollBar6 "Amplitude"
    TExcitationControls Excitation;
    TViewControls View;
};

// What the run loop asks of whatever holds the controls: the window, or a
// program that runs the net without one.
class IControlPanel {
  public:
    virtual TControlState ReadControls() const = 0;
    // The texts of Edit1..Edit4, read at every run start.
    virtual std::array<QString, 4> ReadSourceFields() const = 0;
    // A run start met a field that holds no whole number.
    virtual void ReportBadSourceField(const QString& message) = 0;

  protected:
    ~IControlPanel() = default;
};
