// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/Series.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class TMeasuring;

// The chart of the last ten units of simulated time, drawn as the renderer's --plot.
class TLiveChart : public QWidget {
  public:
    TLiveChart(const TMeasuring& measuring, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const TMeasuring& Measuring;
};

// The window "Messung": the chart, each probe's place and readings, the
// wavelength and the speed of the wave, the stopwatch, the passes of the run
// and the table's saving.
// It shows what TMeasuring holds, at most once per refresh of the screen.
class TMeasureWindow : public QWidget {
    Q_OBJECT
  public:
    TMeasureWindow(TMeasuring& measuring, QWidget* parent);

    // The readings as shown now, refreshed first.
    void Refresh();
    QString ProbeText(std::size_t slot) const;
    QString PhaseText(std::size_t slot) const;
    QString WavelengthText() const;
    // v = lambda f from the wavelength and probe 1's frequency.
    QString SpeedText() const;
    // The speed the net's dispersion gives for the current coupling and drive
    // frequency, and how far the measured one is off.
    QString LatticeText() const;
    QString WatchText() const;
    QString PassesText() const;
    // Saves the table into `name`; false (and a message box) when that fails.
    bool SaveTable(const QString& name, TCsvKind kind);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    struct TProbeRow {
        QCheckBox* On;
        QSpinBox* X;
        QSpinBox* Y;
        QLabel* Reading;
        QLabel* Phase;
    };
    void ShowProbes();
    void ProbeEdited(std::size_t slot);
    void Tick();
    // The time bar over the kept passes, on the pass shown; usable while paused.
    void ShowTimeBar();
    void AskAndSave();

    TMeasuring& Measuring;
    TLiveChart* Chart;
    QSlider* TimeBar;
    std::array<TProbeRow, 4> Rows;
    QComboBox* Line;
    QLabel* Wavelength;
    QLabel* Speed;
    QLabel* Lattice;
    QLabel* Watch;
    QLabel* Passes;
    QTimer RefreshTimer;
    unsigned long long ShownChanges = ~0ULL;
};
