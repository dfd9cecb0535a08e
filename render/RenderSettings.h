// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Commands.h"
#include "measure/NodePosition.h"
#include "measure/Profile.h"

#include <QString>

#include <vector>

// What wogenfeld-render is asked to do: the controls of the window (the
// window's start state, but with "Anregung" on: a resting net shows nothing),
// how long to run, and what to write.
struct TRenderSettings : TPanelValues {
    TRenderSettings() : TPanelValues(DrivenStartPanel()) {}

    int Example = 0;        // 0..6: the example whose radio button is checked
    QString LessonFile;     // the lesson to start from
    QString SaveLessonFile; // the lesson of the run made

    long long Iterations = 600;
    QString OutFile;     // the last frame, as PNG
    QString OutDir;      // the chosen frames, as PNG
    QString GifFile;     // the chosen frames, as an animated GIF
    long long Every = 0; // passes per frame; 0: --every not given
    bool Strobe = false; // one frame per drive period instead of every K-th pass
    int Fps = 25;        // playback rate of the GIF
    bool Crop = false;   // pictures cut to what the run draws, plus a margin

    std::vector<TNodePosition> Probes;
    QString CsvFile;      // one row per pass (or per strobe frame)
    QString CsvCommaFile; // the same table with ";" between the fields and "," as decimal point
    QString PlotFile;     // the same series as a line chart, PNG

    QString ProfileFile;
    ProfileLine Profile = ProfileLine::None;
    int ProfileIndex = 0; // the row's Y or the column's X, 1..VisibleNodes

    bool PrintHashes = false;
    bool Quiet = false;

    // Whether a pass gives a frame to the GIF or the folder (not the stroboscope's choice).
    bool EveryKth(long long pass) const { return Every > 0 && pass % Every == 0; }
    bool WritesFrames() const { return !OutDir.isEmpty() || !GifFile.isEmpty(); }
};
