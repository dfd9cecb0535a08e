// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

// What "Animation aufnehmen …" asks before the file: how many seconds, and
// whether the stroboscope chooses the frames.
class TAnimationDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TAnimationDialog(QWidget* parent);

    int Seconds() const;
    bool Strobe() const;

    QSpinBox* SecondsBox;
    QCheckBox* StrobeBox;
};
