// One whole pass of the run loop, headless, on the 91 x 91 net of "Rand-Dämpfung"
// with the drive on and the cross grid: step, drive, rotation, projection and
// frame. Once with the view's own line drawing, once with the same frame's lines
// drawn by QPainter::drawPolyline; the run ends with the ratio of the medians.

#include "view/Rotation.h"
#include "view/View.h"

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
    auto net = StartedNet();
    TView view(WhiteBackground());
    for (auto _ : state) {
        StepNet(*net);
        view.UpdateRotation(*net, Controls);
        net->AdvanceTime();
        benchmark::DoNotOptimize(view.Bitmap().constBits());
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
