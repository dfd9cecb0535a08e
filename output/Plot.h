// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/Series.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstddef>
#include <functional>
#include <vector>

class QPainter;

// A probe's curve: its node and the place of its value in the rows, which
// also chooses its colour.
struct TPlotProbe {
    TNodePosition Node;
    std::size_t Column;
};

// The rows a chart shows, in the order of time.
struct TPlotRows {
    std::size_t Count = 0;
    std::function<const TSeriesRow&(std::size_t)> At;
};

// The colour of the probe whose values stand at place `column` of the rows.
QColor ProbeColour(std::size_t column);

// The series of --csv as a line chart for the lesson: the displacement of each
// probe in a panel above (when there are probes), the four energies of the
// visible net in a panel below, both against the simulated time, with axes,
// ticks, units and a legend; German, like the window.
QImage DrawPlot(const TSeries& series);
// The same chart into `frame`, the panels sharing its height.
void PaintPlot(QPainter& painter, const QRect& frame, const std::vector<TPlotProbe>& probes,
               const TPlotRows& rows);
