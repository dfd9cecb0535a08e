// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Commands.h"
#include "control/ControlTable.h"
#include "control/Pacer.h"
#include "control/RunLoop.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The window of the page without its elements: the controls' values, the run
// loop and the frame the canvas shows. The page passes every user action in
// and reads the controls back, so that what the handlers do is done here once.
class TWebSession final : private IControlPanel {
  public:
    TWebSession();

    // The window created and first activated: "Null", with the controls of the form.
    void Open();

    // Each does what the desktop's handler of that control does, and nothing
    // when the control does not change.
    void MoveSlider(Slider slider, int position);
    void SetExcitation(bool on);         // "Anregung"
    void SetCrossGrid(bool on);          // "Kreuzgitter"
    void SetSource(int source, bool on); // the check boxes "1" and "2"
    void SetSourceField(int field, std::string text);
    void SelectBoundaryMode(BoundaryMode mode);
    void ChooseExample(int index); // 0..6, in the group's order
    void Null();
    void Pause();
    void Continue(); // "Weiter"
    void End();
    void ResetView(); // "Rücksetzen"

    // At most `passesPerSecond` passes a second from now on.
    void PacePasses(int passesPerSecond) { Pacer.emplace(passesPerSecond); }

    // Fires the run loop until `budgetMilliseconds` are spent, the loop has no
    // work, a start fails or the pacer says wait; returns the passes run.
    int RunFor(double budgetMilliseconds);

    // The check of the page: the renderer's start (example 0: the window's,
    // 1..7 an example; "Anregung" on), `passes` passes, then paused. A line
    // "passes K state S frame F", or one beginning "error:".
    std::string Check(int example, long long passes);

    // Whether a frame was drawn since the last call; if so, its pixels are
    // now in CanvasPixels.
    bool TakeFrame();
    // RGBA bytes, as a canvas takes them, of the last frame taken.
    const std::uint8_t* CanvasPixels() const {
        return reinterpret_cast<const std::uint8_t*>(Canvas.data());
    }

    // The message of the last start that met a bad source field, once.
    std::optional<std::string> TakeBadField();

    const TPanelValues& Panel() const { return Values; }
    int Example() const { return ExampleIndex; }
    bool Paused() const { return Loop.PauseFlag; }
    bool Ended() const { return Loop.EndFlag; }
    long long PassesOfRun() const { return RunPasses; }
    // "state S frame F", the hashes as wogenfeld-render --hash prints them.
    std::string Hashes() const;
    std::string FrequencyDisplay() const;

  private:
    TControlState ReadControls() const override { return Values.Controls; }
    std::array<std::string, 4> ReadSourceFields() const override { return Values.SourceFields; }
    void ReportBadSourceField(const std::string& message) override { BadField = message; }

    // One firing of the run loop; whether it ran a pass.
    bool Fire();
    void RotateAndDraw();
    void Draw();

    TPanelValues Values;
    TRunLoop Loop;
    int ExampleIndex = 0;
    long long RunPasses = 0;
    std::optional<TPacer> Pacer;
    std::optional<std::string> BadField;
    bool FrameDrawn = false;
    std::vector<std::uint32_t> Canvas;
};
