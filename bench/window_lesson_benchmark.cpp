// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a lesson in the window, offscreen, as "Unterricht öffnen …" does:
// read, replayed with the progress dialog, checked and shown. Three turns on
// a fresh window each; the median and the CPU time of the process.
//   build/render/wogenfeld-render --example 3 --iterations 100000 --save-lesson long.wogenfeld
//   build/bench/window_lesson_benchmark long.wogenfeld

#include "ui/LessonFiles.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Turns = 3;

double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_lesson_benchmark FILE.wogenfeld\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int turn = 0; turn < Turns; ++turn) {
        TForm1 form;
        form.show();
        QCoreApplication::sendPostedEvents();
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = CpuSeconds();
        if (!form.Lessons().OpenLesson(path)) return 1;
        wall.push_back(static_cast<double>(timer.elapsed()) / 1000);
        cpu.push_back(CpuSeconds() - cpuBefore);
        std::printf("turn %d: %.2f s (%.2f s CPU)\n", turn + 1, wall.back(), cpu.back());
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("median: %.2f s (%.2f s CPU)\n", wall[Turns / 2], cpu[Turns / 2]);
    return 0;
}
