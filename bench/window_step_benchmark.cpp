// SPDX-License-Identifier: GPL-3.0-or-later
// One pass back in the window, offscreen, as "," does it: the session goes
// back and the window shows the pass, its frame painted. Example 7 with
// "Anregung" and "Messung" open, paused after 12,000 passes; 500 steps back,
// each timed; the median and the longest.
//   build/bench/window_step_benchmark

#include "ui/Measuring.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int RunPasses = 12000;
constexpr int Steps = 500;

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TForm1 form;
    form.show();
    QCoreApplication::sendPostedEvents();
    form.CheckBox1->click();
    form.RadioButton10->click();
    form.Measuring().ShowWindow();
    for (int pass = 0; pass < RunPasses; ++pass)
        form.FireLoop();
    form.Button4->click();
    std::vector<double> milliseconds;
    for (int step = 0; step < Steps; ++step) {
        QElapsedTimer timer;
        timer.start();
        form.StepBackAction().trigger();
        QCoreApplication::processEvents();
        milliseconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    if (form.Session().PassesMade() != RunPasses - Steps) {
        std::fprintf(stderr, "window_step_benchmark: the window did not step back\n");
        return 1;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("one pass back: median %.2f ms, longest %.2f ms (%d steps)\n",
                milliseconds[milliseconds.size() / 2], milliseconds.back(), Steps);
    return 0;
}
