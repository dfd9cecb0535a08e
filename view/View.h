// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Extended.h"
#include "sim/Net.h"
#include "view/LineRaster.h"
#include "view/TCanvas.h"
#include "view/TPicture.h"
#include "view/TScreenPoint.h"
#include "view/ViewControls.h"

#include <cstdint>
#include <functional>

// The size of the picture the view draws.
inline constexpr int PictureWidth = 800;
inline constexpr int PictureHeight = 600;

// The perspective wire mesh: turns the net into ViewNodes, projects them and
// draws the visible nodes as blue polylines into the off-screen
// picture ViewBitmap, which it then hands to the presenter in one piece.
// Knows nothing of the window: the controls come in as plain values.
class TView {
  public:
    // `background`: the picture of PictureWidth x PictureHeight every frame starts from.
    explicit TView(TPicture background);
    TView(const TView&) = delete;
    TView& operator=(const TView&) = delete;

    // Turns X, Y, Z of every node 1..GridSize of Nodes into ViewNodes.
    void RotateGrid(TNet& net, double phiX, double phiY, double phiZ);

    // The rotation update: the three angles from the three bars, the net turned
    // by (-AngleX, AngleY, AngleZ), then a frame drawn.
    void UpdateRotation(TNet& net, const TViewControls& controls);

    // The rotation update short of drawing: the angles and the turned net, and
    // DrawGrid's projection of it done on the way. False when the projection
    // failed (the frame is then to be given up; the net is turned all the same).
    bool TurnAndProject(TNet& net, const TViewControls& controls);

    // Projects every node of ViewNodes into ScreenPoints, draws the frame and
    // presents it. False when the projection failed: then the last frame stays,
    // in ViewBitmap and on the screen, and nothing is presented.
    bool DrawGrid(const TNet& net, const TViewControls& controls);

    // The projection step of DrawGrid on its own.
    bool ProjectGrid(const TNet& net, int zoomPosition);

    // Called with the finished picture at the end of every frame. The picture
    // is ViewBitmap's own: paint it, or keep a copy.
    void SetPresenter(std::function<void(const TPicture&)> present);

    // While the presenter runs, and until the next frame: the rectangle of the
    // picture outside which this frame equals the one presented before it
    // (the old and the new mesh; the whole picture for the first frame). A
    // presenter that keeps the last frame on screen need only pass this on.
    const TPixelRect& ChangedRect() const { return Changed; }

    const TPicture& Bitmap() const { return ViewBitmap.Picture(); }

    TScreenGrid ScreenPoints;
    Extended AngleX = 0;
    Extended AngleY = 0;
    Extended AngleZ = 0;
    std::int32_t EyeDistance = 0;

  private:
    // Clears the picture, draws the mesh of ScreenPoints and presents it.
    void DrawFrame(const TNet& net, const TViewControls& controls);

    TCanvas ViewBitmap;
    std::function<void(const TPicture&)> Present;
    TPixelRect Changed;
};
