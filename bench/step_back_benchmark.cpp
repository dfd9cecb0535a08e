// SPDX-License-Identifier: GPL-3.0-or-later
// One pass back in time: a run of example 7 paused after 12,000 passes, then
// one pass back after another; and a jump of the time bar over 1,000 passes.
// Each step restores the moment before the pass and replays up to 100 passes;
// the medians of the repetitions tell.

#include "control/Session.h"
#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"

#include <benchmark/benchmark.h>

namespace {

class TQuietFront final : public ISessionFront {
  public:
    void ReportBadSourceField(const std::string&) override {}
};

constexpr long long RunPasses = 12000;

std::unique_ptr<TSession> PausedRun(TQuietFront& front) {
    auto session = std::make_unique<TSession>(ViewBackground(LoadBackgroundPicture()), front);
    session->Activate();
    session->ChooseExample(6);
    session->SetExcitation(true);
    session->SetProbe(0, TNodePosition{36, 20});
    session->StartRecording();
    while (session->PassesMade() < RunPasses)
        session->Fire();
    session->Pause();
    return session;
}

void StepBack(benchmark::State& state) {
    TQuietFront front;
    const std::unique_ptr<TSession> session = PausedRun(front);
    for (auto _ : state) {
        if (session->PassesMade() == session->OldestPass()) {
            state.PauseTiming();
            session->GoToPass(session->NewestPass());
            state.ResumeTiming();
        }
        session->StepBack();
    }
}
BENCHMARK(StepBack)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The longest step: from a kept moment's pass to the one before, 99 passes
// replayed.
void LongestStepBack(benchmark::State& state) {
    TQuietFront front;
    const std::unique_ptr<TSession> session = PausedRun(front);
    for (auto _ : state) {
        state.PauseTiming();
        session->GoToPass(session->NewestPass());
        state.ResumeTiming();
        session->StepBack();
    }
}
BENCHMARK(LongestStepBack)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void JumpBack1000(benchmark::State& state) {
    TQuietFront front;
    const std::unique_ptr<TSession> session = PausedRun(front);
    long long pass = session->NewestPass();
    for (auto _ : state) {
        pass = pass - 1000 < session->OldestPass() ? session->NewestPass() : pass - 1000;
        session->GoToPass(pass);
    }
}
BENCHMARK(JumpBack1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
