// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ControlPanel.h"

#include <array>
#include <string>

class TRunLoop;
struct TExample;

// What the window's commands do to the run loop, the net and the control
// values, without widgets. The session performs them for the window and the
// page; the renderer and the tests call them directly, so none can drift.

// The controls as plain values: what a pass reads, and the texts of the four
// source fields Edit1..Edit4.
struct TPanelValues {
    TControlState Controls;
    std::array<std::string, 4> SourceFields; // UTF-8
};

// The controls of the window when it is created: the values of the first
// example, "Anregung" off, "Kreuzgitter" on, the view at its start.
TPanelValues StartPanel();
// The same with "Anregung" on: where a program without a window starts, as a
// resting net shows nothing.
TPanelValues DrivenStartPanel();

// Window creation: Omega from the frequency slider and the values of
// "Rand-Dämpfung", whose button starts checked; the net is not rested.
void CreateNetValues(TNet& net, int frequencyPosition);
// The same, and the run loop's flags.
void CreateRunValues(TRunLoop& loop, int frequencyPosition);

// "Weiter": out of pause.
void ContinueRun(TRunLoop& loop);
// What "Null" does after its "Weiter": the net at rest, and a fresh run.
void RestartAtRest(TRunLoop& loop);
// A "Begrenzung" button that becomes checked: the mode's values, the net at
// rest, and a fresh run; a pause stays.
void ChangeBoundaryMode(TRunLoop& loop, BoundaryMode mode);

// The controls an example sets: the source texts, the three sliders, the
// source check boxes, the "Begrenzung" button, the view reset ("Rücksetzen")
// and its own radio button, which drives the straight wavefront only for the
// last example. "Anregung" and "Kreuzgitter" stay as they are.
void SetExampleValues(TPanelValues& panel, const TExample& example);

// The start of a run as the window gives it for the controls of `panel`: the
// window created, the panel's boundary mode chosen, and "Null".
void StartLikeTheWindow(TRunLoop& loop, const TPanelValues& panel);
