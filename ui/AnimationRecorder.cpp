// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AnimationRecorder.h"

#include "control/RunLoop.h"

#include <pthread.h>
#include <sched.h>

#include <cstring>

namespace {

// A third of a second of frames: the worker encodes one in about 1.5 ms, so
// the ring fills only when the machine starves the worker.
constexpr std::size_t RingPictures = 8;

constexpr auto FrameInterval =
    std::chrono::duration_cast<TAnimationRecorder::TClock::duration>(std::chrono::seconds(1)) /
    TAnimationRecorder::FramesPerSecond;

// What the menu entry that asks for the file is called in the messages.
const QString Asker = QStringLiteral("Animation aufnehmen");

} // namespace

TAnimationRecorder::TAnimationRecorder(const TRunLoop& loop, const QImage& frame, QObject* parent)
    : QObject(parent), Loop(&loop), Frame(frame) {
    EndTimer.setSingleShot(true);
    EndTimer.setTimerType(Qt::PreciseTimer);
    connect(&EndTimer, &QTimer::timeout, this, &TAnimationRecorder::Stop);
}

// Closing the window during a recording still writes what it holds.
TAnimationRecorder::~TAnimationRecorder() {
    Stop();
    if (Worker.joinable()) Worker.join();
}

std::optional<QString> TAnimationRecorder::Start(const QString& path, int seconds, bool strobe) {
    if (Busy()) return QStringLiteral("%1: a recording is still being written").arg(Asker);
    auto gif = std::make_unique<TGifWriter>();
    if (std::optional<QString> failure = gif->Open(path, Asker)) return failure;
    gif->Begin(Frame.rect(), FramesPerSecond);
    // Each a picture of its own (copies of one would share its pixels until
    // written), its memory touched now rather than at the first frames it holds.
    while (Ring.size() < RingPictures)
        Ring.emplace_back(Frame.size(), Frame.format()).fill(Qt::white);

    Gif = std::move(gif);
    Failure.reset();
    WriteFailed = false;
    Head = Count = 0;
    Closing = false;
    IsRecording = true;
    Strobe = strobe;
    Length = seconds;
    Kept = 0;
    Begin = NextDue = TClock::now();
    End = Begin + std::chrono::seconds(seconds);
    // The phase the drive has reached: the first frame comes when it next comes round.
    Stroboscope = TStroboscope();
    Stroboscope.Flash(Loop->Net().Omega * Loop->PassTime());
    SeenStarts = Loop->RunsStarted();
    SeenPasses = Loop->PassesOfRun();
    EndTimer.start(std::chrono::seconds(seconds));
    ++Recordings;
    Worker = std::thread(&TAnimationRecorder::Encode, this, Recordings);
    return std::nullopt;
}

double TAnimationRecorder::SecondsRecorded() const {
    if (!IsRecording) return Length;
    return std::chrono::duration<double>(TClock::now() - Begin).count();
}

void TAnimationRecorder::AfterFiring() {
    if (!IsRecording) return;
    if (Loop->RunsStarted() == SeenStarts && Loop->PassesOfRun() == SeenPasses) return;
    SeenStarts = Loop->RunsStarted();
    SeenPasses = Loop->PassesOfRun();
    const TClock::time_point now = TClock::now();
    if (now >= End || WriteFailed) {
        Stop();
        return;
    }
    bool chosen = false;
    if (Strobe) {
        chosen = Stroboscope.Flash(Loop->Net().Omega * Loop->PassTime());
    } else if (now >= NextDue) {
        chosen = true;
        // After a stall the frames go on at their interval from now, not in a burst.
        NextDue += FrameInterval;
        if (NextDue <= now) NextDue = now + FrameInterval;
    }
    if (chosen) Keep();
}

void TAnimationRecorder::Keep() {
    std::unique_lock lock(Mutex);
    Freed.wait(lock, [this] { return Count < Ring.size(); });
    QImage& picture = Ring[(Head + Count) % Ring.size()];
    lock.unlock();
    // The worker touches only the pictures counted as waiting.
    std::memcpy(picture.bits(), Frame.constBits(), static_cast<std::size_t>(Frame.sizeInBytes()));
    lock.lock();
    ++Count;
    lock.unlock();
    Filled.notify_one();
    ++Kept;
}

void TAnimationRecorder::Follow(const TRunLoop& loop) {
    Stop();
    Loop = &loop;
}

void TAnimationRecorder::Stop() {
    if (!IsRecording) return;
    IsRecording = false;
    EndTimer.stop();
    {
        const std::lock_guard lock(Mutex);
        Closing = true;
    }
    Filled.notify_one();
}

// The worker: encodes the pictures in the order they came, then ends the file.
void TAnimationRecorder::Encode(unsigned recording) {
    // Woken with every frame, the worker would otherwise take the processor
    // from the window's thread at once on a busy machine, and the run would
    // wait for the encoding after all.
    const sched_param batch{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    std::unique_lock lock(Mutex);
    for (;;) {
        Filled.wait(lock, [this] { return Count > 0 || Closing; });
        if (Count == 0) break;
        const QImage& picture = Ring[Head];
        lock.unlock();
        if (!Failure) {
            Failure = Gif->AddFrame(picture);
            if (Failure) WriteFailed = true;
        }
        lock.lock();
        Head = (Head + 1) % Ring.size();
        --Count;
        Freed.notify_one();
    }
    lock.unlock();
    if (!Failure) Failure = Gif->Finish();
    // A file not finished is removed with its writer.
    Gif.reset();
    QMetaObject::invokeMethod(
        this, [this, recording] { Done(recording); }, Qt::QueuedConnection);
}

// Late news of a recording already waited for is dropped.
void TAnimationRecorder::Done(unsigned recording) {
    if (recording != Recordings || !Worker.joinable()) return;
    Worker.join();
    emit Finished(Failure.value_or(QString()));
}

void TAnimationRecorder::WaitUntilWritten() {
    Stop();
    if (!Worker.joinable()) return;
    Worker.join();
    emit Finished(Failure.value_or(QString()));
}
