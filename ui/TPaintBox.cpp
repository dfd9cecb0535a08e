// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TPaintBox.h"

#include "measure/DrawnNodes.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    SendTimer.setSingleShot(true);
    SendTimer.setTimerType(Qt::PreciseTimer);
    connect(&SendTimer, &QTimer::timeout, this, &TPaintBox::SendWaiting);
}

std::chrono::nanoseconds TPaintBox::Interval() const {
    if (ShortestInterval) return *ShortestInterval;
    // A screen that does not know its rate is taken as the common 60 Hz.
    const qreal rate = screen() ? screen()->refreshRate() : 0;
    return std::chrono::nanoseconds(static_cast<long long>(1e9 / (rate >= 1 ? rate : 60)));
}

void TPaintBox::ShowFrame(const QImage& frame, const QRect& changed) {
    if (Shown != &frame) {
        Shown = &frame;
        setAttribute(Qt::WA_OpaquePaintEvent);
        Waiting = rect();
    } else {
        Waiting |= changed; // the meshes of frames in a row overlap: one rectangle, no allocation
    }
    Schedule();
}

QRect TPaintBox::MarkerRect(QPoint at) {
    return QRect(at.x() - MarkerReach, at.y() - MarkerReach, 2 * MarkerReach + 1,
                 2 * MarkerReach + 1);
}

void TPaintBox::SetMarkers(std::span<const TMarker> markers, bool send) {
    for (std::size_t k = 0; k < MarkerCount; ++k)
        Waiting |= MarkerRect(Markers[k].At);
    MarkerCount = std::min(markers.size(), Markers.size());
    for (std::size_t k = 0; k < MarkerCount; ++k) {
        Markers[k] = markers[k];
        Waiting |= MarkerRect(Markers[k].At);
    }
    if (send && Shown) Schedule();
}

void TPaintBox::Schedule() {
    if (SendTimer.isActive()) return; // the waiting frame goes out with it
    const auto left =
        Interval() - std::chrono::nanoseconds(SinceSent.isValid() ? SinceSent.nsecsElapsed() : 0);
    if (!SinceSent.isValid() || left <= std::chrono::nanoseconds::zero()) {
        SendWaiting();
    } else {
        // Rounded up, so that the frame never goes out early.
        SendTimer.start(std::chrono::ceil<std::chrono::milliseconds>(left));
    }
}

void TPaintBox::SendWaiting() {
    update(Waiting);
    Waiting = QRect();
    SinceSent.start();
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    // Until the first frame the background picture beneath shows through.
    if (!Shown) return;
    // Only the part asked for; the painter is clipped to its region.
    const QRect asked = event->rect();
    QPainter painter(this);
    painter.drawImage(asked.topLeft(), *Shown, asked);
    if (MarkerCount == 0) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.5));
    for (std::size_t k = 0; k < MarkerCount; ++k) {
        painter.setBrush(Markers[k].Colour);
        painter.drawEllipse(QPointF(Markers[k].At), 4.5, 4.5);
    }
}
