// SPDX-License-Identifier: GPL-3.0-or-later
// One whole pass of the run loop on the 91 x 91 net of "Rand-Dämpfung" with the
// drive on and the cross grid: step, drive, rotation, projection and frame.
// Headless through the run loop itself, and again with the same frame's lines
// drawn by QPainter::drawPolyline (the run ends with the ratio of the medians);
// then the window's own pass, frame shown in PaintBox1 on the offscreen
// platform; and the time step alone.

#include "ui/RunLoop.h"
#include "ui/Unit1.h"
#include "view/Rotation.h"
#include "view/View.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int CouplingPosition = 100; // the sliders' start positions
constexpr int AmplitudePosition = 40;
const TViewControls Controls{}; // start angles (60, 0, 0), zoom 1.1, cross grid

QImage WhiteBackground() {
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

std::unique_ptr<TNet> StartedNet() {
    auto net = std::make_unique<TNet>();
    net->SelectBoundaryMode(BoundaryMode::DampedBorder);
    net->StartRun({36, 36, 36, 36});
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
    loop.Net().StartRun({36, 36, 36, 36});
    TControlState controls;
    controls.Excitation.Excitation = true;
    for (auto _ : state) {
        loop.RunPass(controls);
        benchmark::DoNotOptimize(loop.View().Bitmap().constBits());
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

// The same frame with Qt drawing the polylines.
void BM_PassWithQPainterPolylines(benchmark::State& state) {
    auto net = StartedNet();
    const QImage background = WhiteBackground();
    TView view(background);
    // The frame is cleared as the view clears its own, by the canvas; QPainter
    // paints on the canvas's pixels, which the canvas owns and writes itself.
    TCanvas canvas(800, 600);
    QImage frame(const_cast<uchar*>(canvas.Image().constBits()), 800, 600, QImage::Format_RGB32);
    const int low = net->Margin + 1;
    const int high = net->GridSize - net->Margin;
    std::vector<QPoint> line(static_cast<std::size_t>(high - low + 1));
    for (auto _ : state) {
        StepNet(*net);
        view.RotateGrid(*net, static_cast<double>(-AngleFromPosition(Controls.RotationX)),
                        static_cast<double>(AngleFromPosition(Controls.RotationY)),
                        static_cast<double>(AngleFromPosition(Controls.RotationZ)));
        view.ProjectGrid(*net, Controls.ZoomPosition);
        canvas.Draw(background, 0, 0);
        QPainter painter(&frame);
        painter.setPen(QColor(0, 0, 255));
        for (int across = 0; across < 2; ++across) {
            for (int k = low; k <= high; ++k) {
                for (int m = low; m <= high; ++m) {
                    const TScreenPoint& p = across ? view.ScreenPoints(k, m) : view.ScreenPoints(m, k);
                    line[static_cast<std::size_t>(m - low)] = QPoint(p.X, p.Y);
                }
                painter.drawPolyline(line.data(), static_cast<int>(line.size()));
            }
        }
        painter.end();
        net->AdvanceTime();
        benchmark::DoNotOptimize(frame.constBits());
    }
}

BENCHMARK(BM_PassWithOwnLines)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_PassWithQPainterPolylines)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_WindowPass)->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);
BENCHMARK(BM_StepGrid)->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);

// Prints the ratio of the two medians after the usual table.
class TRatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                Medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto own = Medians.find("BM_PassWithOwnLines");
        const auto qt = Medians.find("BM_PassWithQPainterPolylines");
        if (own != Medians.end() && qt != Medians.end() && own->second > 0) {
            std::printf("median pass: own lines %.1f us, QPainter::drawPolyline %.1f us: %.2f times faster\n",
                        own->second, qt->second, qt->second / own->second);
        }
    }

  private:
    std::map<std::string, double> Medians;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
