// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/Series.h"

#include <QImage>

// The series of --csv as a line chart for the lesson: the displacement of each
// probe in a panel above (when there are probes), the four energies of the
// visible net in a panel below, both against the simulated time, with axes,
// ticks, units and a legend; German, like the window.
QImage DrawPlot(const TSeries& series);
