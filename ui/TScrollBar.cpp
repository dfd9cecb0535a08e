// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TScrollBar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

TScrollBar::TScrollBar(QWidget* parent) : QScrollBar(parent) {}

// QScrollBar inverts its controls so that Up lowers a vertical bar's value
// (its top is the minimum); QAbstractSlider applies that inversion to Left
// and Right as well, so on a horizontal bar Right would lower the value. Here
// Left and Right go the way of the arrow buttons they point at: the right one
// raises the value, or, mirrored right to left, the left one.
void TScrollBar::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (orientation() != Qt::Horizontal || (key != Qt::Key_Left && key != Qt::Key_Right)) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    const bool towardMaximum = (key == Qt::Key_Right) != isRightToLeft();
    triggerAction(towardMaximum ? SliderSingleStepAdd : SliderSingleStepSub);
    event->accept();
}

// The style's own focus frame, inside the bar: no control moves or grows.
void TScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.backgroundColor = palette().color(QPalette::Window);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
