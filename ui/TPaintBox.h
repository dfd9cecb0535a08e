// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QImage;
class QRect;

// The drawing area: shows the last finished frame until the next one arrives.
// The view only ever changes its picture by whole frames (an abandoned frame
// leaves it as it was), so the box paints that picture itself, without a copy.
// Once it shows a frame it covers its area opaquely, so that nothing beneath it
// (the background picture Image1) is painted again with every frame; and of a
// new frame only what changed is painted and sent to the screen. Whatever else
// Qt asks it to paint (an exposure, the info page hidden again, the window
// restored) comes from the same frame.
class TPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // frame must live as long as the box shows it. Outside `changed` it equals
    // the frame shown before; a frame in a picture not shown before is painted whole.
    void ShowFrame(const QImage& frame, const QRect& changed);
    // The frame shown, or nullptr before the first.
    const QImage* Frame() const { return Shown; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QImage* Shown = nullptr;
};
