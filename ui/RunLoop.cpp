// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RunLoop.h"

#include "ui/WholeNumber.h"
#include "view/View.h"

TRunLoop::TRunLoop(const QImage& background)
    : NetState(std::make_unique<TNet>()), ViewState(std::make_unique<TView>(background)) {}

TRunLoop::~TRunLoop() = default;

bool TRunLoop::WantsToFire() const {
    return !EndFlag && (RestartRequested || (RunGoingOn && !PauseFlag));
}

bool TRunLoop::StartRun(IControlPanel& panel) {
    TNet& net = *NetState;
    net.BeginRunStart();
    const std::array<QString, 4> fields = panel.ReadSourceFields();
    for (int field = 0; field < 4; ++field) {
        const QString& text = fields[static_cast<std::size_t>(field)];
        const std::optional<int> typed = ParseWholeNumber(text);
        if (!typed) {
            panel.ReportBadSourceField(NotAWholeNumberMessage(text));
            return false;
        }
        net.SetSourceField(field, *typed);
    }
    return true;
}

void TRunLoop::Fire(IControlPanel& panel) {
    if (EndFlag) return;
    if (RestartRequested) {
        RestartRequested = false;
        if (StartRun(panel)) {
            // A fresh run always shows one pass, even while paused.
            RunGoingOn = true;
            RunPass(panel.ReadControls());
            return;
        }
        // A failed start leaves the loop as if nothing had been requested.
    }
    if (RunGoingOn && !PauseFlag && !EndFlag) RunPass(panel.ReadControls());
}

void TRunLoop::RunPass(const TControlState& controls) {
    TNet& net = *NetState;
    net.PreparePass(controls.View.CrossGrid, controls.CouplingPosition,
                    controls.AmplitudePosition);
    net.StepGrid(controls.Mode);
    net.ApplyExcitation(controls.Excitation);
    ViewState->UpdateRotation(net, controls.View);
    net.AdvanceTime();
}
