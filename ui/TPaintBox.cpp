// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TPaintBox.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::ShowFrame(const QImage& frame, const QRect& changed) {
    if (Shown != &frame) {
        Shown = &frame;
        setAttribute(Qt::WA_OpaquePaintEvent);
        update();
        return;
    }
    update(changed);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    // Until the first frame the background picture beneath shows through.
    if (!Shown) return;
    // Only the part asked for; the painter is clipped to its region.
    const QRect asked = event->rect();
    QPainter painter(this);
    painter.drawImage(asked.topLeft(), *Shown, asked);
}
