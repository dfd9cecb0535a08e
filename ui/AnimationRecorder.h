// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/GifWriter.h"
#include "output/Stroboscope.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class TRunLoop;

// Records what the window shows as an animated GIF, written as the renderer
// writes its --gif, while the run goes on. The window's thread only copies a
// chosen frame into a ring of pictures made once; a worker thread encodes and
// writes them, so the run loses no more than the copies. When the ring is
// full the window waits for the worker rather than drop a frame.
class TAnimationRecorder : public QObject {
    Q_OBJECT
  public:
    using TClock = std::chrono::steady_clock;
    static constexpr int FramesPerSecond = 25; // also the GIF's playback rate
    static constexpr int ShortestSeconds = 2;
    static constexpr int LongestSeconds = 30;

    // `frame`: the view's picture, read after each firing.
    TAnimationRecorder(const TRunLoop& loop, const QImage& frame, QObject* parent = nullptr);
    ~TAnimationRecorder() override;

    // Starts recording the passes of the next `seconds` seconds into `path`:
    // one frame every 1/25 s, or with `strobe` one per period of the drive
    // (the renderer's --strobe). A message when the file cannot be opened.
    std::optional<QString> Start(const QString& path, int seconds, bool strobe);
    // After each firing of the run loop: keeps a new pass's frame where it is
    // chosen, and ends the recording once its time is over.
    void AfterFiring();
    // Ends the recording early; what it holds is written.
    void Stop();
    // Another run shown in the window: a recording of the one before ends with it.
    void Follow(const TRunLoop& loop);

    bool Recording() const { return IsRecording; }
    // From Start until the file is written or given up.
    bool Busy() const { return Worker.joinable(); }
    long long FramesKept() const { return Kept; }
    int Seconds() const { return Length; }
    double SecondsRecorded() const;
    // Blocks until the worker is done and delivers Finished; for tests and benchmarks.
    void WaitUntilWritten();

  signals:
    // The file is written (an empty failure) or not, and nothing is left of it.
    void Finished(const QString& failure);

  private:
    void Keep();
    void Encode(unsigned recording);
    void Done(unsigned recording);

    const TRunLoop* Loop;
    const QImage& Frame;
    std::vector<QImage> Ring; // made at the first recording, kept for the next
    QTimer EndTimer;          // ends a recording also while the run is paused

    bool IsRecording = false;
    bool Strobe = false;
    int Length = 0;
    long long Kept = 0;
    TClock::time_point Begin;
    TClock::time_point End;
    TClock::time_point NextDue;
    TStroboscope Stroboscope;
    long long SeenStarts = 0;
    long long SeenPasses = 0;
    unsigned Recordings = 0; // Start's count, which the worker's news names

    // Shared with the worker, under Mutex.
    std::mutex Mutex;
    std::condition_variable Filled;
    std::condition_variable Freed;
    std::size_t Head = 0;  // the oldest picture not yet encoded
    std::size_t Count = 0; // pictures waiting
    bool Closing = false;

    std::unique_ptr<TGifWriter> Gif; // the worker's from Start until it is done
    std::optional<QString> Failure;  // the worker's, read after it is joined
    std::atomic<bool> WriteFailed = false;
    std::thread Worker;
};
