// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/RunLoop.h"

#include "control/SourceFields.h"
#include "view/View.h"

TRunLoop::TRunLoop(TPicture background)
    : NetState(std::make_unique<TNet>()),
      ViewState(std::make_unique<TView>(std::move(background))) {}

TRunLoop::~TRunLoop() = default;

bool TRunLoop::WantsToFire() const {
    return !EndFlag && (RestartRequested || (RunGoingOn && !PauseFlag));
}

bool TRunLoop::StartRun(IControlPanel& panel) {
    const std::optional<std::string> failure =
        StartRunFromFields(*NetState, panel.ReadSourceFields());
    if (failure) panel.ReportBadSourceField(*failure);
    return !failure;
}

void TRunLoop::Fire(IControlPanel& panel) {
    if (EndFlag) return;
    if (RestartRequested) {
        RestartRequested = false;
        if (StartRun(panel)) {
            // A fresh run always shows one pass, even while paused.
            RunGoingOn = true;
            ++Starts;
            Passes = 0;
            RunPass(panel.ReadControls());
            return;
        }
        // A failed start leaves the loop as if nothing had been requested.
    }
    if (RunGoingOn && !PauseFlag && !EndFlag) RunPass(panel.ReadControls());
}

void TRunLoop::RunPass(const TControlState& controls) {
    TNet& net = *NetState;
    net.PreparePass(controls.View.CrossGrid, controls.CouplingPosition, controls.AmplitudePosition);
    net.StepGrid(controls.Mode);
    net.ApplyExcitation(controls.Excitation);
    if (DrawEachPass) ViewState->UpdateRotation(net, controls.View);
    LastPassTime = net.SimTime;
    net.AdvanceTime();
    ++Passes;
}

void TRunLoop::DrawLatest(const TControlState& controls) {
    ViewState->UpdateRotation(*NetState, controls.View);
}

TLoopMarks TRunLoop::Marks() const {
    return {.PauseFlag = PauseFlag,
            .EndFlag = EndFlag,
            .RestartRequested = RestartRequested,
            .RunGoingOn = RunGoingOn,
            .LastPassTime = LastPassTime,
            .Starts = Starts,
            .Passes = Passes};
}

void TRunLoop::Restore(const TLoopMarks& marks) {
    PauseFlag = marks.PauseFlag;
    EndFlag = marks.EndFlag;
    RestartRequested = marks.RestartRequested;
    RunGoingOn = marks.RunGoingOn;
    LastPassTime = marks.LastPassTime;
    Starts = marks.Starts;
    Passes = marks.Passes;
}
