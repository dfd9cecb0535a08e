// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/AnimationRecorder.h"

#include <QAction>
#include <QImage>
#include <QObject>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;
class TRunLoop;

// Pictures from the window: "Bild speichern …" writes the frame shown as the
// renderer's --out writes it, "Animation aufnehmen …" records the next
// seconds as the renderer's --gif. Both are entries of the drawing area's
// menu and write the view's own picture, without the probes' markers. While
// a recording runs, a bar over the drawing area shows how far it has come,
// with "Stopp" to end it early.
class TPictureSaving : public QObject {
    Q_OBJECT
  public:
    // `box`: the drawing area, which gets the two entries as its actions;
    // `frame`: the view's picture.
    TPictureSaving(QWidget& form, QWidget& box, const TRunLoop& loop, const QImage& frame);

    // Writes `picture` as PNG; a German box says so when it fails.
    bool SavePicture(const QImage& picture, const QString& path);
    // Starts a recording into `path`; a German box when it cannot be written.
    bool RecordAnimation(const QString& path, int seconds, bool strobe);

    void AfterFiring() { Recorder.AfterFiring(); }
    // Another run shown in the window.
    void Follow(const TRunLoop& loop) { Recorder.Follow(loop); }
    TAnimationRecorder& Animation() { return Recorder; }
    QAction& SaveAction() { return SavePictureAction; }
    QAction& RecordAction() { return RecordAnimationAction; }
    QWidget* ProgressPanel() const { return Panel; }
    QPushButton* StopButton() const { return Stop; }

  private:
    void AskForPicture();
    void AskForAnimation();
    QString AskFileName(const QString& title, const QString& filter, const QString& suffix);
    void ShowProgress();
    void RecordingFinished(const QString& failure);

    QWidget& Form;
    QWidget& Box;
    const QImage& Frame;
    QAction SavePictureAction;
    QAction RecordAnimationAction;
    TAnimationRecorder Recorder;
    QWidget* Panel;
    QLabel* Progress;
    QProgressBar* Bar;
    QPushButton* Stop;
    QTimer ProgressTimer;
    QString LastFolder;
};
