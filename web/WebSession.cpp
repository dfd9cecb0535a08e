// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebSession.h"

#include "control/DisplayTexts.h"
#include "control/Examples.h"
#include "sim/StateHash.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

// The view's background is the form's white picture.
constexpr std::uint32_t White = 0xFFFFFFFFu;

// 0xFFRRGGBB, as the view draws it, into the bytes R, G, B, A of a canvas.
constexpr std::uint32_t CanvasPixel(std::uint32_t pixel) {
    return 0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}

} // namespace

TWebSession::TWebSession()
    : Values(StartPanel()), Loop(TPicture(PictureWidth, PictureHeight, White)),
      Canvas(static_cast<std::size_t>(PictureWidth) * PictureHeight) {
    Loop.View().SetPresenter([this](const TPicture&) { FrameDrawn = true; });
    Loop.DrawEachPass = false;
    CreateRunValues(Loop, Values.Controls.Excitation.FrequencyPosition);
}

void TWebSession::Open() {
    Null();
}

void TWebSession::MoveSlider(Slider slider, int position) {
    const TSliderRow& row = SliderRow(slider);
    position = std::clamp(position, row.Minimum, row.Maximum);
    int& current = SliderPosition(Values.Controls, slider);
    if (current == position) return;
    current = position;
    switch (slider) {
    case Slider::Frequency:
        Loop.Net().Omega = OmegaFromPosition(position);
        break;
    case Slider::Amplitude:
    case Slider::Coupling:
        break; // read by the next pass
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

void TWebSession::SetExcitation(bool on) {
    if (Values.Controls.Excitation.Excitation == on) return;
    Values.Controls.Excitation.Excitation = on;
    Continue();
    Loop.RequestRestart();
}

void TWebSession::SetCrossGrid(bool on) {
    if (Values.Controls.View.CrossGrid == on) return;
    Values.Controls.View.CrossGrid = on;
    Draw();
}

void TWebSession::SetSource(int source, bool on) {
    (source == 1 ? Values.Controls.Excitation.Source1 : Values.Controls.Excitation.Source2) = on;
}

void TWebSession::SetSourceField(int field, std::string text) {
    Values.SourceFields[static_cast<std::size_t>(field)] = std::move(text);
}

void TWebSession::SelectBoundaryMode(BoundaryMode mode) {
    if (Values.Controls.Mode == mode) return;
    Values.Controls.Mode = mode;
    ChangeBoundaryMode(Loop, mode);
}

void TWebSession::ChooseExample(int index) {
    if (index == ExampleIndex) return;
    ExampleIndex = index;
    // The example's values reach the net through the controls' handlers, as in the window.
    TPanelValues chosen = Values;
    SetExampleValues(chosen, Examples[static_cast<std::size_t>(index)]);
    Values.SourceFields = chosen.SourceFields;
    Values.Controls.Excitation.Wavefront = chosen.Controls.Excitation.Wavefront;
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

void TWebSession::Null() {
    Continue();
    RestartAtRest(Loop);
}

void TWebSession::Pause() {
    Loop.PauseFlag = true;
}

void TWebSession::Continue() {
    ContinueRun(Loop);
}

void TWebSession::End() {
    Loop.PauseFlag = false;
    Loop.EndFlag = true;
}

void TWebSession::ResetView() {
    const TViewControls start = StartView(Values.Controls.View.CrossGrid);
    MoveSlider(Slider::RotationX, start.RotationX);
    MoveSlider(Slider::RotationY, start.RotationY);
    MoveSlider(Slider::RotationZ, start.RotationZ);
    MoveSlider(Slider::Zoom, start.ZoomPosition);
}

bool TWebSession::Fire() {
    const bool restart = Loop.RestartPending();
    const bool passes = Loop.Running() && !Loop.PauseFlag;
    Loop.Fire(*this);
    if (restart && !BadField) {
        RunPasses = 1;
        return true;
    }
    if (passes) ++RunPasses;
    return passes;
}

int TWebSession::RunFor(double budgetMilliseconds) {
    using Clock = TPacer::Clock;
    const Clock::time_point start = Clock::now();
    const auto budget = std::chrono::duration<double, std::milli>(budgetMilliseconds);
    int passes = 0;
    bool fired = false;
    while (Loop.WantsToFire() && !BadField) {
        const Clock::time_point now = Clock::now();
        if (fired && now - start >= budget) break;
        if (Pacer) {
            if (Pacer->WaitAt(now) > Clock::duration::zero()) break;
            Pacer->PassStarts(now);
        }
        fired = true;
        if (Fire()) ++passes;
    }
    // Only the last pass of a refresh is seen: the others are not drawn.
    if (passes > 0) Loop.DrawLatest(Values.Controls);
    return passes;
}

std::string TWebSession::Check(int example, long long passes) {
    Values = DrivenStartPanel();
    ExampleIndex = 0;
    if (example > 0) {
        ExampleIndex = example - 1;
        SetExampleValues(Values, Examples[static_cast<std::size_t>(ExampleIndex)]);
    }
    StartLikeTheWindow(Loop, Values);
    // As the renderer: every pass drawn, so that a frame given up is given up at the same pass.
    Loop.DrawEachPass = true;
    for (long long pass = 1; pass <= passes; ++pass) {
        Fire();
        if (BadField) return "error: " + *BadField;
    }
    Loop.DrawEachPass = false;
    Pause();
    return "passes " + std::to_string(passes) + " " + Hashes();
}

std::string TWebSession::Hashes() const {
    char line[64];
    std::snprintf(line, sizeof line, "state %016llx frame %016llx",
                  static_cast<unsigned long long>(HashState(Loop.Net())),
                  static_cast<unsigned long long>(HashPicture(Loop.View().Bitmap())));
    return line;
}

bool TWebSession::TakeFrame() {
    if (!FrameDrawn) return false;
    FrameDrawn = false;
    const TPicture& frame = Loop.View().Bitmap();
    std::transform(frame.Bits(), frame.Bits() + frame.Count(), Canvas.begin(), CanvasPixel);
    return true;
}

std::optional<std::string> TWebSession::TakeBadField() {
    std::optional<std::string> message;
    message.swap(BadField);
    return message;
}

std::string TWebSession::FrequencyDisplay() const {
    return FrequencyDigits(OmegaFromPosition(Values.Controls.Excitation.FrequencyPosition));
}

void TWebSession::RotateAndDraw() {
    Loop.View().UpdateRotation(Loop.Net(), Values.Controls.View);
}

void TWebSession::Draw() {
    Loop.View().DrawGrid(Loop.Net(), Values.Controls.View);
}
