// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenSession.h"
#include "ScreenTesting.h"
#include "ui/QtMessages.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QString NoScreen;
TScreenSession* TheSession = nullptr; // the environment's, while it lives

// The screen's size, from WOGENFELD_SCREEN_SIZE ("1366x768"); 1920 x 1080 by default.
QSize ScreenSize() {
    const QStringList parts = qEnvironmentVariable("WOGENFELD_SCREEN_SIZE").split('x');
    if (parts.size() == 2) return {parts[0].toInt(), parts[1].toInt()};
    return {1920, 1080};
}

// One X server, one window manager and one application, on the real xcb
// platform, for all the tests of the program.
class TScreenEnvironment : public testing::Environment {
  public:
    TScreenEnvironment(int& argc, char** argv) : Argc(argc), Argv(argv) { TheSession = &Session; }
    ~TScreenEnvironment() override { TheSession = nullptr; }

    void SetUp() override {
        const QString serverError = Session.StartServer(ScreenSize());
        if (!serverError.isEmpty()) {
            NoScreen = QStringLiteral("No X server could be started, so the window is not "
                                      "tried on a screen: %1")
                           .arg(serverError);
            return;
        }
        qputenv("DISPLAY", Session.Display().toLatin1());
        qputenv("QT_QPA_PLATFORM", "xcb");
        // One device pixel per pixel, whatever the caller's desktop asks for.
        for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                    "QT_ENABLE_HIGHDPI_SCALING", "QT_STYLE_OVERRIDE"}) {
            qunsetenv(scaling);
        }
        const QString managerError = Session.StartWindowManager();
        ASSERT_TRUE(managerError.isEmpty()) << managerError.toStdString();
        // As the program makes it.
        Application = OpenApplication(Argc, Argv);
    }

    void TearDown() override {
        Application.reset();
        Session.Stop();
    }

  private:
    int& Argc;
    char** Argv;
    TScreenSession Session;
    std::unique_ptr<QApplication> Application;
};

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// On the xcb platform Qt looks for the session bus through libdbus, which
// keeps a buffer to the end of the program. Nothing of Wogenfeld's is excused.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
#endif

QString NoScreenReason() {
    return NoScreen;
}

QString RestartWindowManager() {
    TheSession->StopWindowManager();
    return TheSession->StartWindowManager();
}

pid_t WindowManagerProcess() {
    return TheSession->ManagerProcess();
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new TScreenEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
