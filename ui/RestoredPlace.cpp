// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RestoredPlace.h"

#include <QScreen>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace {

// One axis: the start that keeps [start, start + length) inside the area.
int StartInside(int start, int length, int areaStart, int areaLength) {
    const int overhang = start + length - (areaStart + areaLength);
    if (overhang > 0) start -= overhang;
    return std::max(start, areaStart);
}

} // namespace

QPoint FramePlaceOnScreen(const QRect& frame, const QRect& available) {
    return {StartInside(frame.x(), frame.width(), available.x(), available.width()),
            StartInside(frame.y(), frame.height(), available.y(), available.height())};
}

namespace {

constexpr Qt::WindowStates Enlarged =
    Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;

// How long the window manager must stay quiet before its restore counts as complete.
constexpr int SettleMilliseconds = 150;

} // namespace

TRestoredPlaceKeeper::TRestoredPlaceKeeper(QWidget* window) : QObject(window), Window(window) {
    Settling.setSingleShot(true);
    Settling.setInterval(SettleMilliseconds);
    connect(&Settling, &QTimer::timeout, this, &TRestoredPlaceKeeper::Fit);
    window->installEventFilter(this);
}

bool TRestoredPlaceKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Window) return false;
    switch (event->type()) {
    case QEvent::WindowStateChange: {
        const auto* change = static_cast<const QWindowStateChangeEvent*>(event);
        if (!(Window->windowState() & Enlarged)) {
            if (change->oldState() & Qt::WindowMaximized) Settling.start();
        } else {
            Settling.stop();
        }
        break;
    }
    case QEvent::Move:
    case QEvent::Resize:
        if (Settling.isActive()) Settling.start();
        break;
    default:
        break;
    }
    return false;
}

void TRestoredPlaceKeeper::Fit() {
    if (Window->windowState() & Enlarged) return;
    const QRect frame = Window->frameGeometry();
    const QPoint place = FramePlaceOnScreen(frame, Window->screen()->availableGeometry());
    // A top-level window's pos() is its frame's place.
    if (place != frame.topLeft()) Window->move(Window->pos() + (place - frame.topLeft()));
}
