// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a lesson: a run of example 3 with a few actions (a slider, a probe,
// a pause and "Weiter", the boundary, "Null") spread over its passes, written
// as text, then read and replayed to its last pass and checked. Reports the
// file's size with the time to open it.

#include "control/LessonReplay.h"
#include "control/LessonText.h"
#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"

#include <benchmark/benchmark.h>

namespace {

class TQuietFront final : public ISessionFront {
  public:
    void ReportBadSourceField(const std::string&) override {}
};

std::string LessonOfPasses(long long passes) {
    TQuietFront front;
    TSession session(ViewBackground(LoadBackgroundPicture()), front);
    session.Activate();
    session.ChooseExample(2);
    session.SetExcitation(true);
    const std::array<std::function<void()>, 5> actions = {
        [&] { session.MoveSlider(Slider::Frequency, 900); },
        [&] {
            session.SetProbe(0, TNodePosition{36, 20});
        },
        [&] {
            session.Pause(); // no passes while paused: "Weiter" at once
            session.Continue();
        },
        [&] { session.SelectBoundaryMode(BoundaryMode::LooseEnd); },
        [&] { session.Null(); },
    };
    std::size_t next = 0;
    while (session.PassesMade() < passes) {
        const long long at = passes * static_cast<long long>(next + 1) / 8;
        if (next < actions.size() && session.PassesMade() >= at) actions[next++]();
        session.Fire();
    }
    return LessonText(LessonOf(session, "benchmark"));
}

void OpenLesson(benchmark::State& state) {
    const std::string text = LessonOfPasses(state.range(0));
    const TPicture background = ViewBackground(LoadBackgroundPicture());
    TQuietFront front;
    for (auto _ : state) {
        auto lesson = ReadLesson(text);
        auto opened = ReplayLesson(std::get<TLesson>(lesson), background, front);
        if (!std::holds_alternative<std::unique_ptr<TSession>>(opened))
            state.SkipWithError(std::get<std::string>(opened).c_str());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(OpenLesson)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
