// SPDX-License-Identifier: GPL-3.0-or-later
// The window's unpaced pass rate on a real X screen beside the headless run
// loop's, in one run. It starts its own Xvfb (1920 x 1080) and openbox, opens
// the window maximised on Qt's xcb platform as the program does, switches
// "Anregung" on and lets the window run; the passes are counted by the run
// loop's own simulated time, not by watching the screen. Between the window's
// spells the same run goes on headless (a run loop of its own, started like the
// window's, with the window's controls), so that both sides meet the same load.
// The line "window N passes/s, headless M passes/s, ratio R" gives the
// medians of the rounds and their ratio; then the same rounds run with the
// window "Messung" open and four probes set, and the last line gives the pass
// rate with them against the rate without, each taken against the headless
// rate of its own rounds, so that a change of the machine's load cancels.
// Before that, the same rounds run while the window records an animation
// ("Animation aufnehmen …", a fresh recording each round), once at 25 frames
// a second and once with the stroboscope, each against the rate without.
//
//   build/bench/window_benchmark [--rounds N] [--seconds S]

#include "ScreenSession.h"
#include "WindowTesting.h"
#include "control/Commands.h"
#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"
#include "ui/Measuring.h"
#include "ui/PictureSaving.h"
#include "ui/QtMessages.h"
#include "ui/ShowMainWindow.h"
#include "ui/Unit1.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double SliceSeconds = 0.25;

struct TOptions {
    int Rounds = 5;
    double Seconds = 2.0; // per side and round
};

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int k = 1; k + 1 < argc; k += 2) {
        if (std::strcmp(argv[k], "--rounds") == 0) {
            options.Rounds = std::max(1, std::atoi(argv[k + 1]));
        } else if (std::strcmp(argv[k], "--seconds") == 0) {
            options.Seconds = std::max(0.1, std::atof(argv[k + 1]));
        }
    }
    return options;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Delivers the window's messages until the condition holds or the time is up.
bool AwaitWindow(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

// CPU seconds of this process, all its threads.
double OwnCpuSeconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

// CPU seconds of another process (user and system, fields 14 and 15 of its
// stat), in clock ticks of 10 ms: fine over a round of seconds.
double CpuSecondsOf(pid_t process) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2)); // after the command's name
    std::string field;
    double ticks = 0;
    for (int k = 3; k <= 15 && fields >> field; ++k) {
        if (k >= 14) ticks += std::stod(field);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Counts the paint events of the drawing area: the frames sent to the screen.
class TPaintCounter : public QObject {
  public:
    explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    long Count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Count;
        return false;
    }
};

// Passes, seconds and CPU seconds (here and in the X server) of one side in one round.
struct TTally {
    long Passes = 0;
    long Frames = 0; // sent to the screen
    double Seconds = 0;
    double Cpu = 0;
    double ServerCpu = 0;
    double Rate() const { return static_cast<double>(Passes) / Seconds; }
    double MicrosecondsPerPass(double seconds) const {
        return seconds * 1e6 / static_cast<double>(Passes);
    }
};

// The window running on its own, its loop fired by its own timer, for a while.
void RunWindow(TForm1& form, const TPaintCounter& paints, pid_t server, double seconds,
               TTally& tally) {
    const long before = PassesOfRun(form.Loop().Net());
    const long paintsBefore = paints.Count;
    const double cpu = OwnCpuSeconds();
    const double serverCpu = CpuSecondsOf(server);
    QEventLoop wait;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(static_cast<int>(seconds * 1000), &wait, &QEventLoop::quit);
    wait.exec();
    tally.Seconds += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    tally.Passes += PassesOfRun(form.Loop().Net()) - before;
    tally.Frames += paints.Count - paintsBefore;
    tally.Cpu += OwnCpuSeconds() - cpu;
    tally.ServerCpu += CpuSecondsOf(server) - serverCpu;
}

void RunHeadless(TRunLoop& loop, const TControlState& controls, double seconds, TTally& tally) {
    const double cpu = OwnCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    const auto limit = static_cast<qint64>(seconds * 1e9);
    while (clock.nsecsElapsed() < limit) {
        loop.RunPass(controls);
        ++tally.Passes;
    }
    tally.Seconds += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    tally.Cpu += OwnCpuSeconds() - cpu;
}

int Fail(const char* what, const QString& why) {
    std::fprintf(stderr, "window_benchmark: %s%s%s\n", what, why.isEmpty() ? "" : ": ",
                 qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const TOptions options = ParseOptions(argc, argv);

    TScreenSession session;
    if (const QString error = session.StartServer({1920, 1080}); !error.isEmpty()) {
        return Fail("no X server", error);
    }
    qputenv("DISPLAY", session.Display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                "QT_ENABLE_HIGHDPI_SCALING", "QT_STYLE_OVERRIDE"}) {
        qunsetenv(scaling);
    }
    if (const QString error = session.StartWindowManager(); !error.isEmpty()) {
        return Fail("no window manager", error);
    }
    int qtArgc = 1;
    const auto application = OpenApplication(qtArgc, argv);

    TForm1 form;
    ShowMainWindow(form);
    if (!AwaitWindow([&] { return form.isActiveWindow() && form.PaintBox1->Frame(); }, 90000)) {
        return Fail("the window did not come up with its first frame", {});
    }
    form.CheckBox1->setChecked(true); // "Anregung": a fresh run with the drive
    if (!AwaitWindow([&] { return PassesOfRun(form.Loop().Net()) >= 300; }, 90000)) {
        return Fail("the window's run did not get going", {});
    }

    const TPaintCounter paints(form.PaintBox1);

    TRunLoop headless(ViewBackground(LoadBackgroundPicture()));
    const TPanelValues panel{form.ReadControls(), form.ReadSourceFields()};
    StartLikeTheWindow(headless, panel);
    TTally warmUp;
    RunHeadless(headless, panel.Controls, 0.5, warmUp); // the net and the picture warmed up alike

    // Each round takes turns in short slices, so that a spell of other work on
    // the machine falls on both sides alike. Returns the window's median rate
    // over the headless median.
    const int slices = std::max(1, static_cast<int>(options.Seconds / SliceSeconds));
    const auto rounds = [&](const char* what, const std::function<void()>& beforeRound = {}) {
        std::vector<double> window, alone;
        for (int round = 1; round <= options.Rounds; ++round) {
            if (beforeRound) beforeRound();
            TTally shown, unseen;
            for (int slice = 0; slice < slices; ++slice) {
                RunWindow(form, paints, session.ServerProcess(), options.Seconds / slices, shown);
                RunHeadless(headless, panel.Controls, options.Seconds / slices, unseen);
            }
            window.push_back(shown.Rate());
            alone.push_back(unseen.Rate());
            std::printf(
                "%sround %d: window %.0f passes/s, %.0f frames/s sent to the screen (CPU a pass: "
                "%.0f us, and %.0f us in Xvfb), headless %.0f passes/s (%.0f us)\n",
                what, round, window.back(), static_cast<double>(shown.Frames) / shown.Seconds,
                shown.MicrosecondsPerPass(shown.Cpu), shown.MicrosecondsPerPass(shown.ServerCpu),
                alone.back(), unseen.MicrosecondsPerPass(unseen.Cpu));
            std::fflush(stdout);
        }
        const double windowMedian = Median(window);
        const double headlessMedian = Median(alone);
        std::printf("%swindow %.0f passes/s, headless %.0f passes/s, ratio %.2f\n", what,
                    windowMedian, headlessMedian, windowMedian / headlessMedian);
        return windowMedian / headlessMedian;
    };
    const double plain = rounds("");

    QTemporaryDir folder;
    TPictureSaving& pictures = form.Pictures();
    for (const bool strobe : {false, true}) {
        const auto record = [&] {
            pictures.Animation().WaitUntilWritten();
            const QString name = folder.filePath(QStringLiteral("bench.gif"));
            if (!pictures.RecordAnimation(name, TAnimationRecorder::LongestSeconds, strobe)) {
                std::exit(Fail("cannot record", name));
            }
        };
        const double recording = rounds(strobe ? "stroboscope: " : "recording: ", record);
        pictures.Animation().WaitUntilWritten();
        std::printf("recording%s: %.2f of the rate without\n",
                    strobe ? " with the stroboscope" : "", recording / plain);
    }

    TMeasuring& measuring = form.Measuring();
    measuring.ShowWindow();
    for (std::size_t slot = 0; slot < 4; ++slot) {
        measuring.SetProbe(slot, TNodePosition{20 + 10 * static_cast<int>(slot), 30});
    }
    const double measured = rounds("measuring: ");
    std::printf("with \"Messung\" and four probes %.2f of the rate without\n", measured / plain);
    return 0;
}
