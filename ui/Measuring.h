// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/DrawnNodes.h"
#include "measure/Recording.h"
#include "sim/NetSize.h"

#include <QAction>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class TPaintBox;
class TRunLoop;
class TSession;
class QWidget;

// The measuring tools of the window: up to four probes on nodes of the visible
// net, marked on the drawing area and set through its context menu, and the
// window "Messung" with the recording of the run it shows. The recording is
// made when that window first opens; from then on every pass is recorded.
class TMeasuring : public QObject {
    Q_OBJECT
  public:
    // `panelsRight`: the form's point just right of its panels; the drawing
    // area is `box`, at the form's top left; `makeWindow` makes "Messung".
    TMeasuring(QWidget& form, TPaintBox& box, TSession& session, QPoint panelsRight,
               std::function<QWidget*()> makeWindow);
    ~TMeasuring() override;

    // A firing of the run loop ran a pass.
    void PassRan() { ++ChangeCount; }
    // The frame being presented: where its visible nodes lie, and so the markers.
    void FramePresented();

    const TProbeSlots& Probes() const;
    // Sets, moves or (nothing) removes the probe of a place.
    void SetProbe(std::size_t slot, std::optional<TNodePosition> node);
    // The visible node drawn nearest to a point of the drawing area in the last
    // frame; nothing before the first.
    std::optional<TNodePosition> NearestNode(QPoint at) const;

    void ShowMenu(QPoint at);
    void ShowWindow();
    QWidget* Window() const { return MeasureWindow; }
    QAction& ShowWindowAction() { return ShowAction; }

    const TRecording* Recording() const;
    const TRunLoop& Loop() const { return *RunLoop; }
    const TSession& MeasuredSession() const { return *Session; }
    // Another session shown in the window: its probes, its recording, and
    // "Messung" open exactly where it records.
    void Follow(TSession& session);
    // Counts every change the window shows, so that it repaints only after one.
    unsigned long long Changes() const { return ChangeCount; }

    // The session's stopwatch of simulated time.
    void StartWatch();
    void StopWatch();
    void ResetWatch();
    double WatchTime() const;
    bool WatchRunning() const;

    // The time bar of "Messung" moved to `pass`; the window goes there.
    void ChoosePass(long long pass) { emit PassChosen(pass); }

  signals:
    void ProbesChanged();
    void PassChosen(long long pass);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowMarkers(bool send);
    void PlaceWindow();

    QWidget& Form;
    TPaintBox& Box;
    TSession* Session;
    TRunLoop* RunLoop;
    const QPoint PanelsRight;
    QAction ShowAction;
    // The visible nodes as the frame being presented shows them.
    TDrawnNodes Drawn;
    std::function<QWidget*()> MakeWindow;
    QWidget* MeasureWindow = nullptr; // a window of its own, made when first shown
    unsigned long long ChangeCount = 0;
};
