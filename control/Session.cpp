// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/Session.h"

#include "control/ActionScope.h"
#include "control/DisplayTexts.h"
#include "control/Examples.h"
#include "view/View.h"

#include <algorithm>

namespace {

// Enough for the passes of several minutes of a run in the lesson.
constexpr std::size_t RecordedPasses = 100000;

std::size_t IndexOf(ValueDisplay display) {
    return static_cast<std::size_t>(display);
}

} // namespace

// The form's start values, then what its creation does: Omega and the net's
// values, and the displays, which the sliders' start positions do not fill.
TSession::TSession(TPicture background, ISessionFront& front)
    : Front(&front), Values(StartPanel()), Loop(std::move(background)) {
    Log.Start = Values;
    CreateRunValues(Loop, Values.Controls.Excitation.FrequencyPosition);
    ShowFrequency();
    WriteDisplay(ValueDisplay::Amplitude, PositionDigits(Values.Controls.AmplitudePosition));
    WriteDisplay(ValueDisplay::Coupling, PositionDigits(Values.Controls.CouplingPosition));
    KeepMoment();
}

void TSession::Activate() {
    const TActionScope scope(ActionDepth);
    if (WasActivated) return;
    Remember(TActionKind::Activate);
    WasActivated = true;
    Null();
}

void TSession::MoveSlider(Slider slider, int position) {
    const TActionScope scope(ActionDepth);
    const TSliderRow& row = SliderRow(slider);
    position = std::clamp(position, row.Minimum, row.Maximum);
    int& current = SliderPosition(Values.Controls, slider);
    if (current == position) return;
    Remember(TActionKind::Slider, static_cast<int>(slider), position);
    current = position;
    switch (slider) {
    case Slider::Frequency:
        Loop.Net().Omega = OmegaFromPosition(position);
        ShowFrequency();
        break;
    case Slider::Amplitude:
        WriteDisplay(ValueDisplay::Amplitude, PositionDigits(position));
        break;
    case Slider::Coupling:
        WriteDisplay(ValueDisplay::Coupling, PositionDigits(position));
        break;
    case Slider::RotationX:
    case Slider::RotationY:
    case Slider::RotationZ:
        RotateAndDraw();
        break;
    case Slider::Zoom:
        Draw();
        break;
    }
}

// The drive starts or stops with a fresh run on the net as it is.
void TSession::SetExcitation(bool on) {
    const TActionScope scope(ActionDepth);
    if (Values.Controls.Excitation.Excitation == on) return;
    Remember(TActionKind::Excitation, 0, on);
    Values.Controls.Excitation.Excitation = on;
    Continue();
    Loop.RequestRestart();
}

void TSession::SetCrossGrid(bool on) {
    const TActionScope scope(ActionDepth);
    if (Values.Controls.View.CrossGrid == on) return;
    Remember(TActionKind::CrossGrid, 0, on);
    Values.Controls.View.CrossGrid = on;
    Draw();
}

void TSession::SetSource(int source, bool on) {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::Source, source, on);
    (source == 1 ? Values.Controls.Excitation.Source1 : Values.Controls.Excitation.Source2) = on;
}

void TSession::SetSourceField(int field, const std::string& text) {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::SourceField, field).Text = text;
    Values.SourceFields[static_cast<std::size_t>(field)] = text;
}

// A change of boundary mode rests the net and restarts; a pause stays.
void TSession::SelectBoundaryMode(BoundaryMode mode) {
    const TActionScope scope(ActionDepth);
    if (Values.Controls.Mode == mode) return;
    Remember(TActionKind::Boundary, 0, static_cast<int>(mode));
    Values.Controls.Mode = mode;
    ChangeBoundaryMode(Loop, mode);
}

// The example's values reach the net through the controls' own actions, in
// the order the window sets its controls.
void TSession::ChooseExample(int index) {
    const TActionScope scope(ActionDepth);
    if (index == ExampleIndex) return;
    Remember(TActionKind::Example, 0, index);
    ExampleIndex = index;
    TPanelValues chosen = Values;
    SetExampleValues(chosen, Examples[static_cast<std::size_t>(index)]);
    Values.Controls.Excitation.Wavefront = chosen.Controls.Excitation.Wavefront;
    for (int field = 0; field < 4; ++field)
        SetSourceField(field, chosen.SourceFields[static_cast<std::size_t>(field)]);
    const TControlState& controls = chosen.Controls;
    MoveSlider(Slider::Frequency, controls.Excitation.FrequencyPosition);
    MoveSlider(Slider::Amplitude, controls.AmplitudePosition);
    MoveSlider(Slider::Coupling, controls.CouplingPosition);
    SetSource(1, controls.Excitation.Source1);
    SetSource(2, controls.Excitation.Source2);
    SelectBoundaryMode(controls.Mode);
    ResetView();
    Null();
    Loop.Net().InitGrid();
}

// Out of pause, the net at rest, and a fresh run.
void TSession::Null() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::Null);
    Continue();
    RestartAtRest(Loop);
}

void TSession::Pause() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::Pause);
    Loop.PauseFlag = true;
    ShowsContinue = true;
}

void TSession::Continue() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::Continue);
    ContinueRun(Loop);
    ShowsContinue = false;
}

void TSession::End() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::End);
    Loop.PauseFlag = false;
    Loop.EndFlag = true;
}

// Each bar that moves redraws through its own action.
void TSession::ResetView() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::ResetView);
    const TViewControls start = StartView(Values.Controls.View.CrossGrid);
    MoveSlider(Slider::RotationX, start.RotationX);
    MoveSlider(Slider::RotationY, start.RotationY);
    MoveSlider(Slider::RotationZ, start.RotationZ);
    MoveSlider(Slider::Zoom, start.ZoomPosition);
}

void TSession::ShowInfo(bool shown) {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::Info, 0, shown);
    ShowsInfo = shown;
}

bool TSession::Fire() {
    if (Held) return false;
    const long long starts = Loop.RunsStarted();
    const long long passes = Loop.PassesOfRun();
    const bool restart = Loop.RestartPending() && !Loop.EndFlag;
    Loop.Fire(*this);
    const bool fresh = Loop.RunsStarted() != starts;
    if (fresh) {
        Watch.Clear();
        if (Record) Record->Clear();
    }
    const bool passed = fresh || Loop.PassesOfRun() != passes;
    if (passed) {
        ++Passes;
        if (!Replaying) Newest = Passes;
    }
    if (restart && !passed) {
        const TActionScope scope(ActionDepth);
        Remember(TActionKind::FailedStart);
    }
    if (passed && Record)
        Record->Record(Loop.Net(), Loop.PassesOfRun(), Loop.PassTime(), ProbeSlots);
    if (passed && Passes % MomentSpacing == 0 && !Kept.Has(Passes)) KeepMoment();
    return passed;
}

bool TSession::SetProbe(std::size_t slot, std::optional<TNodePosition> node) {
    const std::optional<TNodePosition>& now = ProbeSlots[slot];
    const bool same =
        now.has_value() == node.has_value() && (!node || (now->X == node->X && now->Y == node->Y));
    if (same) return false;
    const TActionScope scope(ActionDepth);
    TAction& action = Remember(TActionKind::Probe, static_cast<int>(slot));
    action.X = node ? node->X : 0;
    action.Y = node ? node->Y : 0;
    ProbeSlots[slot] = node;
    // From this pass on its column belongs to the new node.
    if (Record) Record->Forget(slot);
    return true;
}

void TSession::StartRecording() {
    if (Record) return;
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::Recording);
    Record = std::make_unique<TRecording>(RecordedPasses);
    Record->DeferEnergiesTo(EnergyDeferral);
}

void TSession::DeferEnergiesTo(IEnergyDeferral* deferral) {
    EnergyDeferral = deferral;
    if (Record) Record->DeferEnergiesTo(deferral);
}

void TSession::StartWatch() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::WatchStart);
    Watch.Start(LastPassTime());
}

void TSession::StopWatch() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::WatchStop);
    Watch.Stop(LastPassTime());
}

void TSession::ResetWatch() {
    const TActionScope scope(ActionDepth);
    Remember(TActionKind::WatchReset);
    Watch.Reset(LastPassTime());
}

void TSession::StartWith(const TPanelValues& panel, int example) {
    Values = panel;
    ExampleIndex = example;
    // The log starts again here.
    Log = {.StartedRunning = true, .Start = panel, .Example = example, .Actions = {}};
    Passes = 0;
    Applied = 0;
    Newest = 0;
    Held = false;
    Kept.Clear();
    ShowsContinue = false;
    StartLikeTheWindow(Loop, Values);
    ShowFrequency();
    WriteDisplay(ValueDisplay::Amplitude, PositionDigits(Values.Controls.AmplitudePosition));
    WriteDisplay(ValueDisplay::Coupling, PositionDigits(Values.Controls.CouplingPosition));
    KeepMoment();
}

bool TSession::SourceFieldShown(int field) const {
    const TExcitationControls& excitation = Values.Controls.Excitation;
    return field < 2 ? excitation.Source1 : excitation.Source2;
}

const std::string& TSession::DisplayDigits(ValueDisplay display) const {
    return Displays[IndexOf(display)];
}

unsigned long long TSession::DisplayWrites(ValueDisplay display) const {
    return Writes[IndexOf(display)];
}

void TSession::ReportBadSourceField(const std::string& message) {
    Front->ReportBadSourceField(message);
}

TAction& TSession::Remember(TActionKind kind, int which, int value) {
    // Another action's cascade, and an action replayed, go into a scratch
    // entry that is never kept.
    if (ActionDepth != 1 || Replaying) return Scratch = {};
    if (Passes < Newest) GiveUpFuture();
    TAction& action = Log.Actions.emplace_back(TAction{
        .Pass = Passes, .Kind = kind, .Which = which, .Value = value, .X = 0, .Y = 0, .Text = {}});
    Applied = Log.Actions.size();
    return action;
}

void TSession::WriteDisplay(ValueDisplay display, std::string digits) {
    Displays[IndexOf(display)] = std::move(digits);
    ++Writes[IndexOf(display)];
}

// From Omega as stored, not from the slider: the display shows what the net uses.
void TSession::ShowFrequency() {
    WriteDisplay(ValueDisplay::Frequency, FrequencyDigits(Loop.Net().Omega));
}

void TSession::RotateAndDraw() {
    Loop.View().UpdateRotation(Loop.Net(), Values.Controls.View);
}

void TSession::Draw() {
    Loop.View().DrawGrid(Loop.Net(), Values.Controls.View);
}
