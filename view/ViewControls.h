// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the view reads from the window: the positions of the rotation bars
// "Drehen" (degrees, -180..180), of the zoom bar (5..30, tenths) and the state
// of "Kreuzgitter". The window clamps the positions before it passes them.
// Their start values are the window's, kept with the controls' ranges.
struct TViewControls {
    int RotationX = 0;      // ScrollBar2
    int RotationY = 0;      // ScrollBar3
    int RotationZ = 0;      // ScrollBar4
    int ZoomPosition = 0;   // ScrollBar7
    bool CrossGrid = false; // CheckBox2
};
