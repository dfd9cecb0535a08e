// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr auto FirstShown = std::chrono::milliseconds(500);
constexpr auto Redraw = std::chrono::milliseconds(100);
constexpr long long LongRun = 20000;

} // namespace

TProgress::TProgress(long long total, bool quiet, std::FILE* stream)
    : Total(total), Stream(stream), Quiet(quiet), Terminal(isatty(fileno(stream)) == 1),
      Start(TClock::now()), LastDrawn(Start) {}

TProgress::~TProgress() {
    Finish();
}

void TProgress::BarText(char* text, std::size_t size, long long done, long long total,
                        double seconds) {
    constexpr int Width = 30;
    const double part = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1;
    const int filled = std::clamp(static_cast<int>(part * Width), 0, Width);
    char bar[Width + 1];
    for (int k = 0; k < Width; ++k)
        bar[k] = k < filled ? '#' : '.';
    bar[Width] = '\0';
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    const long long left = rate > 0 ? std::llround(static_cast<double>(total - done) / rate) : 0;
    std::snprintf(text, size, "[%s] %3d %%  %6.0f passes/s  %lld:%02lld left", bar,
                  static_cast<int>(part * 100), rate, left / 60, left % 60);
}

void TProgress::Draw(long long done, TClock::time_point now) {
    char text[128];
    BarText(text, sizeof text, done, Total, std::chrono::duration<double>(now - Start).count());
    // Back to the start of the line, the bar, and the rest of the line cleared.
    std::fprintf(Stream, "\r%s\033[K", text);
    std::fflush(Stream);
    Shown = true;
    LastDrawn = now;
}

void TProgress::Update(long long done) {
    if (Quiet) return;
    if (!Terminal) {
        if (Total >= LongRun && done % (Total / 20) == 0) {
            std::fprintf(Stream, "%lld of %lld passes\n", done, Total);
        }
        return;
    }
    // The clock is read only every 64 passes: a pass takes about half a millisecond.
    if (done % 64 != 0 && done != Total) return;
    const TClock::time_point now = TClock::now();
    if (now - Start < FirstShown || (now - LastDrawn < Redraw && done != Total)) return;
    Draw(done, now);
}

void TProgress::Finish() {
    if (!Shown) return;
    std::fputc('\n', Stream);
    Shown = false;
}
