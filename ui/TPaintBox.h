// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QImage;

// The drawing area: shows the last finished frame until the next one arrives.
// The view only ever changes its picture by whole frames (an abandoned frame
// leaves it as it was), so the box paints that picture itself, without a copy.
class TPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // frame must live as long as the box shows it.
    void ShowFrame(const QImage& frame);
    // The frame shown, or nullptr before the first.
    const QImage* Frame() const { return Shown; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QImage* Shown = nullptr;
};
