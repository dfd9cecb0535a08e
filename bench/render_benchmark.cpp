// SPDX-License-Identifier: GPL-3.0-or-later
// What an animated GIF costs beside the passes it shows: one pass of
// wogenfeld-render on example 3 ("Zwei Punktquellen eng"), and the encoding of
// one GIF frame of the same run, a frame every 1 and every 4 passes (the
// further apart, the larger the changed rectangle). The waves have spread
// over the net before the measurement begins. The run ends with the medians
// and their ratios.

#include "render/GifWriter.h"
#include "render/RenderArguments.h"
#include "render/Renderer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace {

constexpr int WarmUpPasses = 1500;

std::unique_ptr<TRenderer> SpreadExample() {
    const auto parsed = ParseRenderArguments({"--example", "3"});
    auto renderer = std::make_unique<TRenderer>(std::get<TRenderSettings>(parsed));
    for (int pass = 0; pass < WarmUpPasses; ++pass)
        renderer->Pass();
    return renderer;
}

void BM_Pass(benchmark::State& state) {
    auto renderer = SpreadExample();
    for (auto _ : state) {
        renderer->Pass();
        benchmark::DoNotOptimize(renderer->Frame().constBits());
    }
}

// Only AddFrame is timed; the passes between two frames are not.
void BM_GifFrame(benchmark::State& state) {
    const long long every = state.range(0);
    auto renderer = SpreadExample();
    QTemporaryDir folder;
    TGifWriter gif;
    if (gif.Open(folder.filePath("bench.gif"))) {
        state.SkipWithError("cannot write the GIF");
        return;
    }
    gif.Begin(renderer->Frame().rect(), 25);
    gif.AddFrame(renderer->Frame()); // the whole first frame is not what is measured
    for (auto _ : state) {
        state.PauseTiming();
        for (long long k = 0; k < every; ++k)
            renderer->Pass();
        state.ResumeTiming();
        gif.AddFrame(renderer->Frame());
    }
    state.counters["bytes/frame"] =
        benchmark::Counter(static_cast<double>(gif.Bytes()) / static_cast<double>(gif.Frames()));
}

BENCHMARK(BM_Pass)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_GifFrame)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);

// After the table: each GIF frame's median beside the median pass.
class TGifRatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median")
                Medians[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto pass = Medians.find("BM_Pass/repeats:9");
        if (pass == Medians.end() || pass->second <= 0) return;
        for (const auto& [name, median] : Medians) {
            if (name.rfind("BM_GifFrame", 0) != 0) continue;
            std::printf("median %s: %.1f us, pass %.1f us: %.2f passes\n", name.c_str(), median,
                        pass->second, median / pass->second);
        }
    }

  private:
    std::map<std::string, double> Medians;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TGifRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
