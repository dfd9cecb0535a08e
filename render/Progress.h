// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdio>

// How far a run has come, on standard error. On a terminal a one-line bar with
// the percentage, passes per second and the time left, redrawn at most ten
// times a second once the run has lasted half a second; elsewhere a plain line
// at every twentieth of a long run (20,000 passes or more); nothing when quiet.
class TProgress {
  public:
    using TClock = std::chrono::steady_clock;

    TProgress(long long total, bool quiet, std::FILE* stream);
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;
    ~TProgress();

    void Update(long long done);
    // The bar's last state and a line break; nothing if no bar was shown.
    void Finish();

    // The bar's text: e.g. "[#####.....]  50 %   1800 passes/s   0:05 left".
    static void BarText(char* text, std::size_t size, long long done, long long total,
                        double seconds);

  private:
    void Draw(long long done, TClock::time_point now);

    long long Total;
    std::FILE* Stream;
    bool Quiet;
    bool Terminal;
    bool Shown = false;
    TClock::time_point Start;
    TClock::time_point LastDrawn;
};
