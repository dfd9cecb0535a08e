// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowTesting.h"
#include "control/Pacer.h"
#include "ui/QtMessages.h"
#include "ui/WindowOptions.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

std::optional<int> PacedRate(const QStringList& args, const QString& environment = {}) {
    const auto parsed = ParseWindowOptions(args, environment);
    const auto* options = std::get_if<TWindowOptions>(&parsed);
    if (!options) ADD_FAILURE() << "refused: " << args.join(' ').toStdString();
    return options ? options->PassesPerSecond : std::nullopt;
}

QString Refusal(const QStringList& args, const QString& environment = {}) {
    const auto parsed = ParseWindowOptions(args, environment);
    const auto* message = std::get_if<QString>(&parsed);
    return message ? *message : QString();
}

} // namespace

TEST(WindowOptions, PacingIsOffUnlessAskedFor) {
    EXPECT_EQ(PacedRate({}), std::nullopt);
    EXPECT_EQ(PacedRate({"--passes-per-second", "60"}), 60);
    EXPECT_EQ(PacedRate({"--passes-per-second=1"}), 1);
    EXPECT_EQ(PacedRate({"--passes-per-second", "10000"}), 10000);
    EXPECT_EQ(PacedRate({}, "25"), 25);
    EXPECT_EQ(PacedRate({"--passes-per-second", "50"}, "25"), 50) << "the command line wins";
    EXPECT_TRUE(std::holds_alternative<TWindowHelpRequested>(ParseWindowOptions({"--help"}, {})));
    EXPECT_TRUE(
        std::holds_alternative<TWindowVersionRequested>(ParseWindowOptions({"--version"}, {})));
}

TEST(WindowOptions, BadRatesAndForeignOptionsAreRefusedByName) {
    for (const QString bad : {"0", "10001", "-3", "+5", " 5", "1.5", "abc", "", "99999999999"}) {
        EXPECT_EQ(Refusal({"--passes-per-second", bad}),
                  "--passes-per-second must be a whole number from 1 to 10000, not '" + bad + "'")
            << bad.toStdString();
    }
    EXPECT_EQ(Refusal({"--passes-per-second"}), "--passes-per-second needs a value");
    EXPECT_EQ(Refusal({}, "fast"),
              "WOGENFELD_PASSES_PER_SECOND must be a whole number from 1 to 10000, not 'fast'");
    // Qt's own options would let a command line restyle the window from a file.
    EXPECT_EQ(Refusal({"-stylesheet", "/tmp/look.qss"}),
              "unknown option '-stylesheet' (see wogenfeld --help)");
    EXPECT_EQ(Refusal({"-platform", "offscreen"}),
              "unknown option '-platform' (see wogenfeld --help)");
}

TEST(WindowOptions, TheParsersFormsKeepOurMessages) {
    EXPECT_TRUE(std::holds_alternative<TWindowHelpRequested>(ParseWindowOptions({"-?"}, {})));
    EXPECT_EQ(PacedRate({"--passes-per-second=5", "--passes-per-second", "7"}), 7)
        << "the last one wins";
    EXPECT_EQ(Refusal({"--passes-per-second="}),
              "--passes-per-second must be a whole number from 1 to 10000, not ''");
    EXPECT_EQ(Refusal({"-notes.txt"}), "unknown option '-notes.txt' (see wogenfeld --help)");
    EXPECT_EQ(Refusal({"--version=2"}), "unknown option '--version=2' (see wogenfeld --help)");
}

// 100 passes a second: a slot every 10 ms.
TEST(Pacer, SlotsFollowTheRateWithoutDriftOrCatchingUp) {
    const TPacer::Clock::time_point t0{};
    TPacer pacer(100);
    EXPECT_EQ(pacer.WaitAt(t0), 0ms) << "the first pass waits for nothing";
    pacer.PassStarts(t0);
    EXPECT_EQ(pacer.WaitAt(t0 + 4ms), 6ms);
    EXPECT_EQ(pacer.WaitAt(t0 + 10ms), 0ms);
    // Started 2 ms late: the next slot stays at 20 ms, so lateness does not add up.
    pacer.PassStarts(t0 + 12ms);
    EXPECT_EQ(pacer.WaitAt(t0 + 12ms), 8ms);
    // 25 ms behind its slot (a pause, a slow machine): the count starts anew, no burst.
    pacer.PassStarts(t0 + 45ms);
    EXPECT_EQ(pacer.WaitAt(t0 + 46ms), 9ms);
    EXPECT_EQ(pacer.WaitAt(t0 + 55ms), 0ms);
}

TEST(Pacer, CountsPassesOfASimulatedSecond) {
    // A loop that waits as told and spends `passTime` on each pass.
    const auto passesInOneSecond = [](int rate, std::chrono::milliseconds passTime) {
        TPacer pacer(rate);
        TPacer::Clock::time_point now{};
        const TPacer::Clock::time_point end = now + 1s;
        int passes = 0;
        for (;;) {
            now += pacer.WaitAt(now);
            if (now >= end) return passes;
            pacer.PassStarts(now);
            ++passes;
            now += passTime;
        }
    };
    EXPECT_EQ(passesInOneSecond(100, 3ms), 100);
    EXPECT_EQ(passesInOneSecond(3, 3ms), 3);
    EXPECT_EQ(passesInOneSecond(1, 0ms), 1);
    // A cap above what the machine does: back to back, 0, 15, ..., 990 ms.
    EXPECT_EQ(passesInOneSecond(100, 15ms), 67);
}

TEST(Pacer, PacedWindowRunsNoPassBeforeItsSlot) {
    const auto form = StartedForm();
    form->PacePasses(1);
    Fire(*form); // the first run's start and pass
    ASSERT_EQ(PassesOfRun(form->Loop().Net()), 1);
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1) << "a second later at the earliest";
    EXPECT_TRUE(form->LoopScheduled());
}

namespace {

QStringList Captured;

void Capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    Captured << text;
}

} // namespace

TEST(QtMessages, OnlyTheMissingRuntimeDirWarningIsDropped) {
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    Captured.clear();
    qInstallMessageHandler(Capture);
    QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const bool qtWarns = Captured.join('\n').contains("XDG_RUNTIME_DIR not set");

    Captured.clear();
    DropMissingRuntimeDirWarning();
    QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    qWarning("another warning");
    qInstallMessageHandler(nullptr);
    if (!runtimeDir.isNull()) qputenv("XDG_RUNTIME_DIR", runtimeDir);

    ASSERT_TRUE(qtWarns) << "Qt itself no longer warns; nothing to drop";
    EXPECT_EQ(Captured, QStringList{"another warning"});
}

namespace {

struct TRun {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

// The window program as a user starts it, with the environment given.
TRun RunWindowProgram(const QStringList& args, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(WOGENFELD_WINDOW_PROGRAM), args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "the program did not end";
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WOGENFELD_PASSES_PER_SECOND"}) {
        environment.remove(QString::fromLatin1(name));
    }
    return environment;
}

} // namespace

TEST(WindowProgram, SaysInOneLineWhatStopsIt) {
    const TRun help = RunWindowProgram({"--help"}, WithoutDisplay());
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_TRUE(help.Out.contains("--passes-per-second N")) << help.Out.toStdString();

    const TRun bad = RunWindowProgram({"--passes-per-second", "0"}, WithoutDisplay());
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_EQ(bad.Err,
              "wogenfeld: --passes-per-second must be a whole number from 1 to 10000, not '0'\n");

    QProcessEnvironment badEnvironment = WithoutDisplay();
    badEnvironment.insert("WOGENFELD_PASSES_PER_SECOND", "fast");
    EXPECT_EQ(RunWindowProgram({}, badEnvironment).ExitCode, 2);

    const TRun noDisplay = RunWindowProgram({}, WithoutDisplay());
    EXPECT_EQ(noDisplay.ExitCode, 1);
    EXPECT_EQ(noDisplay.Err, "wogenfeld: there is no display to open the window on "
                             "(DISPLAY and WAYLAND_DISPLAY are unset)\n");

    QProcessEnvironment unreachable = WithoutDisplay();
    unreachable.insert("DISPLAY", ":59999");
    const TRun gone = RunWindowProgram({}, unreachable);
    EXPECT_EQ(gone.ExitCode, 1);
    EXPECT_EQ(gone.Err, "wogenfeld: cannot open the window: the display ':59999' cannot be "
                        "reached\n");
}
