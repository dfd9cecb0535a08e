// SPDX-License-Identifier: GPL-3.0-or-later
// One whole pass of the run loop on the 91 x 91 net of "Rand-Dämpfung" with the
// drive on and the cross grid: step, drive, rotation, projection and frame.
// Headless through the run loop itself, and again with the same frame's lines
// drawn by QPainter::drawPolyline (the run ends with the ratio of the medians);
// then the window's own pass, frame shown in PaintBox1 on the offscreen
// platform; where the time of a pass goes, phase by phase; and the time step
// alone.

#include "control/ControlTable.h"
#include "control/RunLoop.h"
#include "sim/LargeBlock.h"
#include "sim/NetSize.h"
#include "ui/Unit1.h"
#include "view/View.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// The window's start: the sliders' positions, the view with its cross grid.
constexpr int CouplingPosition = StartOf(Slider::Coupling);
constexpr int AmplitudePosition = StartOf(Slider::Amplitude);
constexpr TViewControls Controls = StartView(true);
// Both passes are timed from a net driven this long, so that they time alike
// passes however many each runs: until the wave has reached every node (about
// a hundred passes) a pass costs more.
constexpr int PassesBeforeTiming = 200;
constexpr std::size_t FrameBytes = 800 * 600 * sizeof(QRgb);

TPicture WhiteBackground() {
    return TPicture(PictureWidth, PictureHeight, 0xFFFFFFFFu);
}

std::unique_ptr<TNet> StartedNet() {
    auto net = std::make_unique<TNet>();
    net->SelectBoundaryMode(BoundaryMode::DampedBorder);
    net->StartRun({MiddleNode, MiddleNode, MiddleNode, MiddleNode});
    return net;
}

void StepNet(TNet& net) {
    net.PreparePass(Controls.CrossGrid, CouplingPosition, AmplitudePosition);
    net.StepGrid(BoundaryMode::DampedBorder);
    net.ApplyExcitation({.Excitation = true});
}

void BM_PassWithOwnLines(benchmark::State& state) {
    TRunLoop loop(WhiteBackground());
    loop.Net().SelectBoundaryMode(BoundaryMode::DampedBorder);
    loop.Net().StartRun({MiddleNode, MiddleNode, MiddleNode, MiddleNode});
    TControlState controls;
    controls.Excitation.Excitation = true;
    for (int pass = 0; pass < PassesBeforeTiming; ++pass)
        loop.RunPass(controls);
    for (auto _ : state) {
        loop.RunPass(controls);
        benchmark::DoNotOptimize(loop.View().Bitmap().Bits());
    }
}

// What the window does for one firing of its loop, the frame painted into
// PaintBox1's backing store as the next delivery of messages would.
void BM_WindowPass(benchmark::State& state) {
    TForm1 form;
    form.show();
    form.CheckBox1->setChecked(true);
    QCoreApplication::sendPostedEvents();
    for (auto _ : state) {
        form.FireLoop();
        form.PaintBox1->repaint();
    }
    state.counters["passes/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_StepGrid(benchmark::State& state) {
    auto net = StartedNet();
    net->Nodes(46, 46).Z = 30; // something to compute
    for (auto _ : state) {
        net->PreparePass(Controls.CrossGrid, CouplingPosition, AmplitudePosition);
        net->StepGrid(BoundaryMode::DampedBorder);
        benchmark::DoNotOptimize(net->Nodes(46, 46).Z);
    }
}

// Where the time of a pass goes: whole passes, each phase timed on its own
// inside them, so that it meets the caches as it does in a pass. The frame is
// drawn through DrawGrid, which projects again first; the projection alone is
// timed just before it, in the same state, to be subtracted.
enum class TPhase { Step, Drive, TurnAndProjection, ProjectionAlone, ProjectionAndFrame };

void BM_PassPhase(benchmark::State& state) {
    const auto phase = static_cast<TPhase>(state.range(0));
    constexpr const char* Names[] = {"step", "drive", "turn and projection", "projection alone",
                                     "projection and frame"};
    state.SetLabel(Names[state.range(0)]);
    auto net = StartedNet();
    TView view(WhiteBackground());
    const auto pass = [&](auto&& time) {
        const auto timed = [&](TPhase which, auto&& work) {
            const auto start = std::chrono::steady_clock::now();
            work();
            if (which == phase) time(std::chrono::steady_clock::now() - start);
        };
        timed(TPhase::Step, [&] {
            net->PreparePass(Controls.CrossGrid, CouplingPosition, AmplitudePosition);
            net->StepGrid(BoundaryMode::DampedBorder);
        });
        timed(TPhase::Drive, [&] { net->ApplyExcitation({.Excitation = true}); });
        timed(TPhase::TurnAndProjection, [&] { view.TurnAndProject(*net, Controls); });
        timed(TPhase::ProjectionAlone, [&] { view.ProjectGrid(*net, Controls.ZoomPosition); });
        timed(TPhase::ProjectionAndFrame, [&] { view.DrawGrid(*net, Controls); });
        net->AdvanceTime();
    };
    for (int warm = 0; warm < PassesBeforeTiming; ++warm)
        pass([](auto) {});
    for (auto _ : state) {
        pass([&state](std::chrono::steady_clock::duration spent) {
            state.SetIterationTime(std::chrono::duration<double>(spent).count());
        });
    }
}

// The rectangle of the visible nodes' points inside the picture, one pixel
// wider on every side: where Qt's lines between them may have set pixels.
QRect VisibleBounds(const TView& view, int low, int high, const QRect& picture) {
    int left = picture.right(), top = picture.bottom(), right = picture.left(),
        bottom = picture.top();
    for (int j = low; j <= high; ++j) {
        for (int i = low; i <= high; ++i) {
            const TScreenPoint& p = view.ScreenPoints(i, j);
            left = std::min(left, p.X);
            top = std::min(top, p.Y);
            right = std::max(right, p.X);
            bottom = std::max(bottom, p.Y);
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-1, -1, 1, 1) & picture;
}

// The same pass with Qt drawing the polylines: the same step, turn and
// projection, and, as the view does, the frame cleared only where the last
// frame's lines were.
void BM_PassWithQPainterPolylines(benchmark::State& state) {
    auto net = StartedNet();
    TView view(WhiteBackground());
    // Its pixels on large pages, like the view's own picture.
    const std::unique_ptr<void, void (*)(void*)> pixels(
        AllocateLargeBlock(FrameBytes), [](void* block) { FreeLargeBlock(block, FrameBytes); });
    QImage frame(static_cast<uchar*>(pixels.get()), 800, 600, 800 * sizeof(QRgb),
                 QImage::Format_RGB32);
    frame.fill(Qt::white);
    const int low = net->Margin + 1;
    const int high = net->GridSize - net->Margin;
    std::vector<QPoint> line(static_cast<std::size_t>(high - low + 1));
    QRect drawn = frame.rect();
    const auto pass = [&] {
        StepNet(*net);
        view.TurnAndProject(*net, Controls);
        for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
            auto* const row = reinterpret_cast<QRgb*>(frame.scanLine(y));
            std::fill(row + drawn.left(), row + drawn.right() + 1, 0xFFFFFFFFu);
        }
        QPainter painter(&frame);
        painter.setPen(QColor(0, 0, 255));
        for (int across = 0; across < 2; ++across) {
            for (int k = low; k <= high; ++k) {
                for (int m = low; m <= high; ++m) {
                    const TScreenPoint& p =
                        across ? view.ScreenPoints(k, m) : view.ScreenPoints(m, k);
                    line[static_cast<std::size_t>(m - low)] = QPoint(p.X, p.Y);
                }
                painter.drawPolyline(line.data(), static_cast<int>(line.size()));
            }
        }
        painter.end();
        drawn = VisibleBounds(view, low, high, frame.rect());
        net->AdvanceTime();
    };
    for (int warm = 0; warm < PassesBeforeTiming; ++warm)
        pass();
    for (auto _ : state) {
        pass();
        benchmark::DoNotOptimize(frame.constBits());
    }
}

BENCHMARK(BM_PassWithOwnLines)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);
BENCHMARK(BM_PassWithQPainterPolylines)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);
BENCHMARK(BM_WindowPass)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);
// A fixed number of passes: timed by its phase alone, the short drive would
// take a million passes to fill the usual half second.
BENCHMARK(BM_PassPhase)
    ->DenseRange(0, 4)
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);
BENCHMARK(BM_StepGrid)->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);

// Prints the ratio of the two passes' medians after the usual table, in CPU
// time (what the pass costs, even while other programs share the machine) and,
// last, in real time.
class TRatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                Medians[run.run_name.function_name] = {run.GetAdjustedCPUTime(),
                                                       run.GetAdjustedRealTime()};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto own = Medians.find("BM_PassWithOwnLines");
        const auto qt = Medians.find("BM_PassWithQPainterPolylines");
        if (own == Medians.end() || qt == Medians.end()) return;
        const auto print = [](const char* kind, double ownTime, double qtTime) {
            if (ownTime <= 0) return;
            std::printf("median pass%s: own lines %.1f us, QPainter::drawPolyline %.1f us: %.2f "
                        "times faster\n",
                        kind, ownTime, qtTime, qtTime / ownTime);
        };
        print(" in CPU time", own->second.first, qt->second.first);
        print("", own->second.second, qt->second.second);
    }

  private:
    // CPU and real time of each benchmark's median.
    std::map<std::string, std::pair<double, double>> Medians;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The repetitions of the benchmarks run interleaved in random order, unless
    // asked otherwise: on a machine shared with other work both passes of the
    // ratio then meet the same spells of load.
    std::vector<char*> arguments(argv, argv + argc);
    char interleaved[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleaved);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
