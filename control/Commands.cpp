// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/Commands.h"

#include "control/Examples.h"
#include "control/RunLoop.h"

namespace {

// The "Begrenzung" button checked when the window is created.
constexpr BoundaryMode CreationMode = BoundaryMode::DampedBorder;

} // namespace

TPanelValues StartPanel() {
    TPanelValues panel;
    panel.Controls.Excitation.Excitation = false;
    panel.Controls.View.CrossGrid = true;
    SetExampleValues(panel, Examples.front());
    return panel;
}

TPanelValues DrivenStartPanel() {
    TPanelValues panel = StartPanel();
    panel.Controls.Excitation.Excitation = true;
    return panel;
}

void CreateNetValues(TNet& net, int frequencyPosition) {
    net.Omega = OmegaFromPosition(frequencyPosition);
    const TBoundaryValues values = BoundaryValues(CreationMode);
    net.Margin = values.Margin;
    net.GridSize = values.GridSize;
    net.ZoneDamping = MarginZoneDamping;
    net.BaseTimeStep = values.BaseTimeStep;
}

void CreateRunValues(TRunLoop& loop, int frequencyPosition) {
    CreateNetValues(loop.Net(), frequencyPosition);
    loop.PauseFlag = false;
    loop.EndFlag = false;
}

void ContinueRun(TRunLoop& loop) {
    loop.PauseFlag = false;
}

void RestartAtRest(TRunLoop& loop) {
    loop.Net().InitGrid();
    loop.RequestRestart();
}

void ChangeBoundaryMode(TRunLoop& loop, BoundaryMode mode) {
    loop.Net().SelectBoundaryMode(mode);
    loop.RequestRestart();
}

void SetExampleValues(TPanelValues& panel, const TExample& example) {
    for (std::size_t k = 0; k < 4; ++k)
        panel.SourceFields[k] = example.SourceTexts[k];
    TControlState& controls = panel.Controls;
    controls.Excitation.FrequencyPosition = example.Frequency;
    controls.AmplitudePosition = example.Amplitude;
    controls.CouplingPosition = example.Coupling;
    controls.Excitation.Source1 = example.Source1;
    controls.Excitation.Source2 = example.Source2;
    controls.Mode = example.Mode;
    controls.View = StartView(controls.View.CrossGrid);
    // The last example's radio button drives the wavefront while it is checked.
    controls.Excitation.Wavefront = &example == &Examples.back();
}

void StartLikeTheWindow(TRunLoop& loop, const TPanelValues& panel) {
    CreateRunValues(loop, panel.Controls.Excitation.FrequencyPosition);
    if (panel.Controls.Mode != CreationMode) ChangeBoundaryMode(loop, panel.Controls.Mode);
    ContinueRun(loop);
    RestartAtRest(loop);
}
