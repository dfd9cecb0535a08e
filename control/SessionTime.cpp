// SPDX-License-Identifier: GPL-3.0-or-later
// The session's time that steps back: moments kept every so many passes, and
// the log's actions and passes replayed from the one before a pass.
#include "control/ActionScope.h"
#include "control/Session.h"

#include <algorithm>

namespace {

TAction PauseAt(long long pass) {
    return {.Pass = pass,
            .Kind = TActionKind::Pause,
            .Which = 0,
            .Value = 0,
            .X = 0,
            .Y = 0,
            .Text = {}};
}

} // namespace

bool TSession::CanStepInTime() const {
    return Loop.Running() && ShowsContinue && !Loop.EndFlag;
}

void TSession::StepForward() {
    if (!CanStepInTime()) return;
    if (Passes < Newest) return MoveInTime(Passes + 1);
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::Step);
    PassWhilePaused();
}

void TSession::StepBack() {
    if (CanStepInTime() && Passes > OldestPass()) MoveInTime(Passes - 1);
}

void TSession::GoToPass(long long pass) {
    if (CanStepInTime()) MoveInTime(std::clamp(pass, OldestPass(), Newest));
}

TActionLog TSession::Actions() const {
    TActionLog log = Log;
    log.Actions.resize(Applied);
    // Kept while an older pass shows, the lesson opens as it looks: paused.
    if (Held && !(HeldPause && HeldContinueShown)) log.Actions.push_back(PauseAt(Passes));
    return log;
}

void TSession::PassWhilePaused() {
    Loop.PauseFlag = false;
    Fire();
    Loop.PauseFlag = true;
}

void TSession::KeepMoment() {
    TMoment& moment = Kept.Add(Passes);
    moment.Applied = Applied;
    moment.Values = Values;
    moment.Loop = Loop.Marks();
    moment.Net.Keep(Loop.Net());
    moment.Watch = Watch;
    moment.Probes = ProbeSlots;
    moment.Example = ExampleIndex;
    moment.Activated = WasActivated;
    moment.ShowsContinue = ShowsContinue;
    moment.ShowsInfo = ShowsInfo;
    moment.Displays = Displays;
}

void TSession::Restore(const TMoment& moment) {
    // The rows of the moment's run up to its pass show; another run's go.
    if (Record) {
        if (Loop.RunsStarted() == moment.Loop.Starts) {
            Record->ShowUpTo(moment.Loop.Passes);
        } else {
            Record->Clear();
        }
    }
    Passes = moment.Pass;
    Applied = moment.Applied;
    Values = moment.Values;
    Loop.Restore(moment.Loop);
    moment.Net.RestoreInto(Loop.Net());
    Watch = moment.Watch;
    ProbeSlots = moment.Probes;
    ExampleIndex = moment.Example;
    WasActivated = moment.Activated;
    ShowsContinue = moment.ShowsContinue;
    ShowsInfo = moment.ShowsInfo;
    Displays = moment.Displays;
}

void TSession::MoveInTime(long long pass) {
    if (pass == Passes) return;
    LetGo();
    // Forward from where it stands unless a later moment is nearer.
    const TMoment* moment = Kept.AtOrBefore(pass);
    if (moment != nullptr && (pass < Passes || moment->Pass > Passes)) Restore(*moment);
    ReplayTo(pass);
    if (Passes < Newest) Hold();
    // A display shows that pass's digits, written like any change.
    for (std::size_t display = 0; display < Displays.size(); ++display)
        WriteDisplay(static_cast<ValueDisplay>(display), Displays[display]);
}

// The frame is drawn once, at the pass arrived at, before the actions that
// came then: what the run showed there.
void TSession::ReplayTo(long long pass) {
    Replaying = true;
    const bool drawEachPass = Loop.DrawEachPass;
    Loop.DrawEachPass = false;
    while (Passes < pass) {
        DoActionsAt(Passes);
        const bool step = Applied < Log.Actions.size() &&
                          Log.Actions[Applied].Kind == TActionKind::Step &&
                          Log.Actions[Applied].Pass == Passes;
        if (step) {
            ++Applied;
            PassWhilePaused();
        } else if (Loop.WantsToFire()) {
            Fire();
        } else {
            break;
        }
    }
    Loop.DrawLatest(Values.Controls);
    DoActionsAt(Passes);
    Loop.DrawEachPass = drawEachPass;
    Replaying = false;
}

// Up to a step, which makes the next pass.
void TSession::DoActionsAt(long long pass) {
    while (Applied < Log.Actions.size()) {
        const TAction& action = Log.Actions[Applied];
        if (action.Pass != pass || action.Kind == TActionKind::Step) return;
        ++Applied;
        Perform(action);
    }
}

void TSession::Hold() {
    Held = true;
    HeldPause = Loop.PauseFlag;
    HeldContinueShown = ShowsContinue;
    Loop.PauseFlag = true;
    ShowsContinue = true;
}

void TSession::LetGo() {
    if (!Held) return;
    Held = false;
    Loop.PauseFlag = HeldPause;
    ShowsContinue = HeldContinueShown;
}

// What looked paused is paused from now on, logged so that it replays so.
void TSession::GiveUpFuture() {
    LetGo();
    Log.Actions.resize(Applied);
    Kept.DropAfter(Passes);
    if (Record) Record->GiveUpHidden();
    Newest = Passes;
    if (Loop.PauseFlag && ShowsContinue) return;
    Log.Actions.push_back(PauseAt(Passes));
    Applied = Log.Actions.size();
    Loop.PauseFlag = true;
    ShowsContinue = true;
}

void TSession::Perform(const TAction& action) {
    const bool on = action.Value != 0;
    switch (action.Kind) {
    case TActionKind::Activate:
        return Activate();
    case TActionKind::Slider:
        return MoveSlider(static_cast<Slider>(action.Which), action.Value);
    case TActionKind::Excitation:
        return SetExcitation(on);
    case TActionKind::CrossGrid:
        return SetCrossGrid(on);
    case TActionKind::Source:
        return SetSource(action.Which, on);
    case TActionKind::SourceField:
        return SetSourceField(action.Which, action.Text);
    case TActionKind::Boundary:
        return SelectBoundaryMode(static_cast<BoundaryMode>(action.Value));
    case TActionKind::Example:
        return ChooseExample(action.Value);
    case TActionKind::Null:
        return Null();
    case TActionKind::Pause:
        return Pause();
    case TActionKind::Continue:
        return Continue();
    case TActionKind::End:
        return End();
    case TActionKind::ResetView:
        return ResetView();
    case TActionKind::Info:
        return ShowInfo(on);
    case TActionKind::Probe: {
        std::optional<TNodePosition> node;
        if (action.X != 0) node = TNodePosition{action.X, action.Y};
        SetProbe(static_cast<std::size_t>(action.Which), node);
        return;
    }
    case TActionKind::Recording:
        return StartRecording();
    case TActionKind::WatchStart:
        return StartWatch();
    case TActionKind::WatchStop:
        return StopWatch();
    case TActionKind::WatchReset:
        return ResetWatch();
    case TActionKind::FailedStart:
        Fire();
        return;
    case TActionKind::Step:
        return StepForward();
    }
}
