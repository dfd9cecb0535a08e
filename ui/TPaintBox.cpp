// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TPaintBox.h"

#include <QImage>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::ShowFrame(const QImage& frame) {
    Shown = &frame;
    update();
}

void TPaintBox::paintEvent(QPaintEvent*) {
    // Until the first frame the background picture beneath shows through.
    if (!Shown) return;
    QPainter painter(this);
    painter.drawImage(0, 0, *Shown);
}
