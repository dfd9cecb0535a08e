// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <QColor>
#include <QPoint>

#include <array>
#include <chrono>
#include <optional>
#include <span>

class QImage;

// The drawing area: shows the last finished frame until the next one arrives.
// The view only ever changes its picture by whole frames (an abandoned frame
// leaves it as it was), so the box paints that picture itself, without a copy.
// Once it shows a frame it covers its area opaquely, so that nothing beneath it
// (the background picture Image1) is painted again with every frame; and of a
// new frame only what changed is painted and sent to the screen. Whatever else
// Qt asks it to paint (an exposure, the info page hidden again, the window
// restored) comes from the same frame.
//
// The screen cannot show pictures faster than it refreshes, and sending each
// one to the display server costs about as much as computing it. So frames are
// sent at most once per refresh of the screen: one that comes sooner waits,
// and the latest frame goes out when the refresh interval is over, also when
// no frame follows it (the run paused or ended).
//
// Over the frame it draws small round markers (the probes'), after the mesh.
struct TMarker {
    QPoint At;
    QColor Colour;
};

class TPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // frame must live as long as the box shows it. Outside `changed` it equals
    // the frame shown before; a frame in a picture not shown before is painted whole.
    void ShowFrame(const QImage& frame, const QRect& changed);
    // The markers from now on, at most four. `send`: shown at once, as a frame
    // is; otherwise with the next frame.
    void SetMarkers(std::span<const TMarker> markers, bool send);
    // Where a marker covers the box.
    static QRect MarkerRect(QPoint at);

    // The frame shown, or nullptr before the first.
    const QImage* Frame() const { return Shown; }

    // The shortest time between two frames sent to the screen, instead of the
    // screen's refresh interval; zero sends every frame at once.
    void SetShortestInterval(std::chrono::nanoseconds interval) { ShortestInterval = interval; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::chrono::nanoseconds Interval() const;
    // Sends what waits now or, within a refresh of the last sending, when it is over.
    void Schedule();
    // Asks Qt to paint what changed since the frame last sent.
    void SendWaiting();

    const QImage* Shown = nullptr;
    QRect Waiting;           // what changed since the last frame sent, as one rectangle
    QElapsedTimer SinceSent; // invalid until the first frame is sent
    QTimer SendTimer;        // sends the waiting frame when the interval is over
    std::optional<std::chrono::nanoseconds> ShortestInterval;
    std::array<TMarker, 4> Markers;
    std::size_t MarkerCount = 0;
};
