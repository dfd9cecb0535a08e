// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ControlPanel.h"
#include "control/Pacer.h"
#include "control/Session.h"
#include "ui/LessonFiles.h"
#include "ui_Unit1.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class TMeasuring;
class TPictureSaving;

// The main window. Its controls are the named fields of the window
// description; its methods are their handlers, which pass the control's new
// state to the session and show the controls as the session leaves them.
// Setting a control from there fires its handler, which the session then
// finds unchanged.
class TForm1 : public QWidget, public Ui::TForm1, public ISessionFront, private ILessonWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    TSession& Session() { return *State; }
    TRunLoop& Loop() { return State->RunLoop(); }
    // The view's picture as an image on its own pixels.
    const QImage& Frame() const { return FrameImage; }
    // One firing of the run loop, as its timer does it when the window's
    // messages have all been delivered.
    void FireLoop();
    bool LoopScheduled() const { return LoopTimer.isActive(); }
    // The probes and the window "Messung".
    TMeasuring& Measuring() { return *Measurement; }
    // "Bild speichern …" and "Animation aufnehmen …".
    TPictureSaving& Pictures() { return *PictureSaving; }
    // "Unterricht speichern …" and "Unterricht öffnen …".
    TLessonFiles& Lessons() { return *LessonFiles; }
    // "." and ",", also in the drawing area's menu: a pass on and back while paused.
    QAction& StepForwardAction() { return StepForwardEntry; }
    QAction& StepBackAction() { return StepBackEntry; }
    // At most this many passes a second from now on; without it the passes
    // follow each other as fast as the machine allows.
    void PacePasses(int passesPerSecond);

    // The controls as the widgets show them.
    TControlState ReadControls() const;
    std::array<std::string, 4> ReadSourceFields() const;
    void ReportBadSourceField(const std::string& message) override;

    void FormCreate();
    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void ScrollBar1Change();
    void ScrollBar2Change();
    void ScrollBar3Change();
    void ScrollBar4Change();
    void ScrollBar5Change();
    void ScrollBar6Change();
    void ScrollBar7Change();
    void RadioButton6Click();
    void RadioButton7Click();
    void RadioButton8Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton9Click();
    void RadioButton10Click();
    void StepForward();
    void StepBack();
    void GoToPass(long long pass); // the time bar of "Messung"

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    const TSession& ShownSession() const override { return *State; }
    void ShowOpenedSession(std::unique_ptr<TSession> session) override;
    void HoldRun(bool held) override;
    // The view's picture and its presenting, of the session's own view.
    void PresentFrames();
    void ConnectHandlers();
    void MoveSlider(Slider slider);
    // Sets every widget to the session's state, then schedules the loop.
    void ShowSession();
    void ShowDisplays();
    // After a step in time: the whole frame of the pass shown, and the rest as
    // after any action.
    void ShowStep();
    // Runs the loop's timer exactly while the loop has work.
    void ScheduleLoop();

    const QImage Background; // Image1's picture, from which every frame starts
    std::unique_ptr<TSession> State;
    QImage FrameImage;                            // the view's picture, its pixels not copied
    std::array<QScrollBar*, Sliders.size()> Bars; // in the order of Slider
    std::array<QLineEdit*, 4> SourceEdits;
    std::array<QRadioButton*, Examples.size()> ExampleButtons;
    std::array<unsigned long long, 3> ShownWrites{}; // of the displays, by ValueDisplay
    QTimer LoopTimer;
    std::optional<TPacer> Pacer;
    TMeasuring* Measurement;       // a child of the window
    TPictureSaving* PictureSaving; // a child of the window
    TLessonFiles* LessonFiles;     // a child of the window
    QAction StepForwardEntry;
    QAction StepBackEntry;
    QAction StepSeparator;
    bool InsideFiring = false;
    bool RunHeld = false;
    // The first activation is the window's, not each session's: an opened
    // lesson has had its own and must not start over at the next one.
    bool FirstActivationServed = false;
    bool Showing = false;
};
