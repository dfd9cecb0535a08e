// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ActionLog.h"
#include "control/Commands.h"
#include "control/ControlTable.h"
#include "control/KeptStates.h"
#include "control/RunLoop.h"
#include "control/Stopwatch.h"
#include "measure/Recording.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

// What only a front end can do for the session: tell the user, while the run
// start is served, that a source field holds no whole number.
class ISessionFront {
  public:
    virtual void ReportBadSourceField(const std::string& message) = 0;

  protected:
    ~ISessionFront() = default;
};

// The value displays, in the order of their fields Edit5, Edit6, Edit7.
enum class ValueDisplay { Frequency, Coupling, Amplitude };

// The window's behaviour on plain values: the controls, what the window shows
// of them besides, and the run loop. Each action does what the window's
// handler of that control does, with the cascade of handlers it sets off, and
// nothing when the control does not change. Every front end passes its user's
// actions in and shows what it reads back.
class TSession final : private IControlPanel {
  public:
    // The window created: the controls of the form, the start values of the net.
    TSession(TPicture background, ISessionFront& front);
    // From now on `front` is told what the user must know.
    void AttachFront(ISessionFront& front) { Front = &front; }

    // The first activation performs "Null"; later ones nothing.
    void Activate();
    bool Activated() const { return WasActivated; }

    // Clamped to the slider's range.
    void MoveSlider(Slider slider, int position);
    void SetExcitation(bool on);         // "Anregung"
    void SetCrossGrid(bool on);          // "Kreuzgitter"
    void SetSource(int source, bool on); // the check boxes "1" and "2"
    void SetSourceField(int field, const std::string& text);
    void SelectBoundaryMode(BoundaryMode mode);
    void ChooseExample(int index); // 0..6, in the group's order
    void Null();
    void Pause();
    void Continue();           // "Weiter", also while it is hidden
    void End();                // "Ende", and the window's close command
    void ResetView();          // "Rücksetzen"
    void ShowInfo(bool shown); // "Info" and "Infobox schließen"

    // One firing of the run loop; whether it ran a pass. A fresh run stops
    // and clears the stopwatch and clears the recording; a pass is recorded.
    bool Fire();
    bool WantsToFire() const { return Loop.WantsToFire(); }

    // The controls of `panel` with `example` checked, and a run started from
    // them as the window starts one (as the renderer does).
    void StartWith(const TPanelValues& panel, int example);

    const TPanelValues& Panel() const { return Values; }
    int Example() const { return ExampleIndex; }
    // Whether "Weiter" shows in the place of "Pause".
    bool ContinueShown() const { return ShowsContinue; }
    bool InfoShown() const { return ShowsInfo; }
    // Edit1..Edit4 show while their source is on.
    bool SourceFieldShown(int field) const;
    // A display's digits, '.' the decimal separator; its text changes only
    // when it is written, which counts up `DisplayWrites`.
    const std::string& DisplayDigits(ValueDisplay display) const;
    unsigned long long DisplayWrites(ValueDisplay display) const;

    // The probes: four places, each empty or on a node of the visible net.
    const TProbeSlots& Probes() const { return ProbeSlots; }
    // Sets, moves or (nothing) removes the probe of a place; whether it changed.
    bool SetProbe(std::size_t slot, std::optional<TNodePosition> node);
    // From the next pass on every pass is recorded; once. Nothing before.
    void StartRecording();
    const TRecording* Recording() const { return Record.get(); }
    TRecording* Recording() { return Record.get(); }
    // The recording's energies summed by `deferral` (null: at each pass).
    void DeferEnergiesTo(IEnergyDeferral* deferral);

    // The stopwatch of simulated time, read at the last pass's time.
    void StartWatch();
    void StopWatch();
    void ResetWatch();
    double WatchTime() const { return Watch.Time(LastPassTime()); }
    bool WatchRunning() const { return Watch.Running(); }

    // Time that steps back, while the run is paused: one pass on (the run's
    // next, or at its newest a new one), one back, or to a pass between the
    // oldest kept and the newest. The frame, the probes' recording and the
    // displays become those of that pass. Any other action while an older pass
    // shows gives up the passes after it; the run goes on from there.
    bool CanStepInTime() const;
    void StepForward();
    void StepBack();
    void GoToPass(long long pass);
    long long OldestPass() const { return Kept.OldestPass(Newest); }
    long long NewestPass() const { return Newest; }

    // The actions since the start up to the pass shown, each with the passes
    // made before it, and the passes made since the start, across runs.
    TActionLog Actions() const;
    long long PassesMade() const { return Passes; }
    // Does an action of the log again, as the user did it.
    void Perform(const TAction& action);

    TRunLoop& RunLoop() { return Loop; }
    const TRunLoop& RunLoop() const { return Loop; }

  private:
    TControlState ReadControls() const override { return Values.Controls; }
    std::array<std::string, 4> ReadSourceFields() const override { return Values.SourceFields; }
    void ReportBadSourceField(const std::string& message) override;

    double LastPassTime() const { return static_cast<double>(Loop.PassTime()); }
    void WriteDisplay(ValueDisplay display, std::string digits);
    void ShowFrequency();
    void RotateAndDraw();
    void Draw();
    // An action from the user, not one of the actions another one sets off:
    // the entry, for the values it has besides.
    TAction& Remember(TActionKind kind, int which = 0, int value = 0);

    // One pass although the run is paused.
    void PassWhilePaused();
    void KeepMoment();
    void Restore(const TMoment& moment);
    void MoveInTime(long long pass);
    // The log's actions and passes from the pass shown up to `pass`.
    void ReplayTo(long long pass);
    void DoActionsAt(long long pass);
    // While an older pass shows, the run looks paused; its own flags wait here.
    void Hold();
    void LetGo();
    // A new action at an older pass: the passes after it are given up.
    void GiveUpFuture();

    ISessionFront* Front;
    TPanelValues Values;
    TRunLoop Loop;
    TStopwatch Watch;
    TProbeSlots ProbeSlots;
    std::unique_ptr<TRecording> Record;
    IEnergyDeferral* EnergyDeferral = nullptr;
    int ExampleIndex = 0;
    bool WasActivated = false;
    bool ShowsContinue = false;
    bool ShowsInfo = false;
    std::array<std::string, 3> Displays;
    std::array<unsigned long long, 3> Writes{};
    TActionLog Log;
    TAction Scratch;
    long long Passes = 0;
    int ActionDepth = 0; // the actions under way, the user's outermost
    // Time stepping: the moments kept, the actions of the log done, the newest
    // pass, and whether the log is being replayed (then nothing is logged).
    TKeptStates Kept;
    std::size_t Applied = 0;
    long long Newest = 0;
    bool Replaying = false;
    bool Held = false;
    bool HeldPause = false;
    bool HeldContinueShown = false;
};
