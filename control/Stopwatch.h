// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// A stopwatch of simulated time, read at the times the caller gives it: the
// time of the last pass, so that it stands still while the run does.
class TStopwatch {
  public:
    void Start(double now);
    void Stop(double now);
    // Back to zero; a running watch runs on from `now`.
    void Reset(double now);
    // Stopped at zero.
    void Clear();
    double Time(double now) const;
    bool Running() const { return StartedAt.has_value(); }

  private:
    double Total = 0;
    std::optional<double> StartedAt;
};
