// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/View.h"

#include "view/PointProjection.h"
#include "view/Projection.h"
#include "view/Rotation.h"

#include <utility>

namespace {

constexpr TColor MeshColor = 0xFF0000; // $00BBGGRR: blue
constexpr std::int32_t EyeDistanceOfProjection = 1500;

} // namespace

TView::TView(TPicture background) : ViewBitmap(std::move(background)) {
    ViewBitmap.SetPenColor(MeshColor);
}

void TView::RotateGrid(TNet& net, double phiX, double phiY, double phiZ) {
    TRotation(phiX, phiY, phiZ).Apply(net.Nodes, net.ViewNodes, net.GridSize);
}

void TView::UpdateRotation(TNet& net, const TViewControls& controls) {
    if (TurnAndProject(net, controls)) DrawFrame(net, controls);
}

bool TView::TurnAndProject(TNet& net, const TViewControls& controls) {
    AngleX = AngleFromPosition(controls.RotationX);
    AngleY = AngleFromPosition(controls.RotationY);
    AngleZ = AngleFromPosition(controls.RotationZ);
    const TRotation rotation(static_cast<double>(-AngleX), static_cast<double>(AngleY),
                             static_cast<double>(AngleZ));
    // DrawGrid's projection is done while the nodes are turned, each node while
    // its turned coordinates are at hand, instead of loading them again.
    EyeDistance = EyeDistanceOfProjection;
    const TPointProjection project(ZoomFromPosition(controls.ZoomPosition), EyeDistance);
    return rotation.ApplyAndProject(net.Nodes, net.ViewNodes, net.GridSize, project, ScreenPoints);
}

bool TView::ProjectGrid(const TNet& net, int zoomPosition) {
    EyeDistance = EyeDistanceOfProjection;
    return ::ProjectGrid(net.ViewNodes, net.GridSize, ZoomFromPosition(zoomPosition), EyeDistance,
                         ScreenPoints);
}

bool TView::DrawGrid(const TNet& net, const TViewControls& controls) {
    // A node in the eye's plane (zero denominator) or projected beyond any 64-bit
    // pixel coordinate has no place in the picture: that is a floating-point
    // error, and the frame is given up. Projecting before the picture is touched
    // means nothing of the failed frame shows; the last one stays.
    if (!ProjectGrid(net, controls.ZoomPosition)) return false;
    DrawFrame(net, controls);
    return true;
}

void TView::DrawFrame(const TNet& net, const TViewControls& controls) {
    ViewBitmap.Clear();
    ViewBitmap.SetPenColor(MeshColor);
    // Only the visible nodes; the damping margin is projected but not drawn.
    const int low = net.Margin + 1;
    const int high = net.GridSize - net.Margin;
    const int count = high - low + 1;
    // Move to the line's first node, then a line to each of the others.
    for (int j = low; j <= high; ++j) {
        ViewBitmap.Polyline(&ScreenPoints(low, j), TScreenGrid::StepI, count);
    }
    if (controls.CrossGrid) {
        for (int i = low; i <= high; ++i) {
            ViewBitmap.Polyline(&ScreenPoints(i, low), TScreenGrid::StepJ, count);
        }
    }
    Changed = ViewBitmap.TakeChanged();
    if (Present) Present(ViewBitmap.Picture());
}

void TView::SetPresenter(std::function<void(const TPicture&)> present) {
    Present = std::move(present);
}
