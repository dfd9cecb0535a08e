// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollBar>

// The window's scroll bar. Qt's own turns the arrow keys around on a
// horizontal bar and draws no focus in some styles (Fusion among them); this
// one moves the way its arrow buttons do and marks its focus as the style
// marks that of the other controls.
class TScrollBar : public QScrollBar {
    Q_OBJECT
  public:
    explicit TScrollBar(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
