// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>

class QWidget;

// Where a window's frame goes so that it lies in the screen's free area:
// where it stands if it fits; else up and left just enough; a frame larger
// than the area keeps its top left corner, with the title bar, on it.
QPoint FramePlaceOnScreen(const QRect& frame, const QRect& available);

// Brings a window that comes back from maximised onto the screen's free area
// where its restored frame would leave it, without changing its size.
class TRestoredPlaceKeeper : public QObject {
  public:
    // Watches window, and lives as long as it.
    explicit TRestoredPlaceKeeper(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Fit();

    QWidget* Window;
    // Runs from the return from maximised until the window manager has gone
    // quiet: it reports a restore in pieces (the state, the place, the size,
    // the frame), and a move made on a half-reported geometry would send the
    // maximised size back with it.
    QTimer Settling;
};
