// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a screen reader meets it: the program runs on its own X
// screen with Qt's accessibility bridge on, and its controls are read back
// through the real accessibility bus (AT-SPI), as Orca reads them.
#include "ScreenSession.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// AT-SPI's roles by the numbers its D-Bus protocol fixes: the names libatspi
// gives them change between releases ("push button", later "button").
enum class TRole {
    CheckBox = 7,
    ComboBox = 11,
    Filler = 20,
    PushButton = 43,
    RadioButton = 44,
    ScrollBar = 48,
    Slider = 51,
    SpinButton = 52,
    Text = 61,
};

std::string RoleName(TRole role) {
    switch (role) {
    case TRole::CheckBox:
        return "check box";
    case TRole::ComboBox:
        return "combo box";
    case TRole::Filler:
        return "filler";
    case TRole::PushButton:
        return "push button";
    case TRole::RadioButton:
        return "radio button";
    case TRole::ScrollBar:
        return "scroll bar";
    case TRole::Slider:
        return "slider";
    case TRole::SpinButton:
        return "spin button";
    case TRole::Text:
        return "text";
    }
    return "role " + std::to_string(static_cast<int>(role));
}

// A control as AT-SPI gives it: its role and the name a screen reader speaks.
struct TAccessibleControl {
    TRole Role;
    std::string Name;
    auto operator<=>(const TAccessibleControl&) const = default;
};

// Every control of the main window, hidden ones included. A control whose
// caption is a label of its own is named after that caption.
const std::vector<TAccessibleControl> MainWindow = {
    {TRole::Filler, "graphische Darstellung"},
    {TRole::ScrollBar, "Frequenz"},
    {TRole::ScrollBar, "Amplitude"},
    {TRole::ScrollBar, "Kopplung"},
    {TRole::Text, "Frequenz"},
    {TRole::Text, "Amplitude"},
    {TRole::Text, "Kopplung"},
    {TRole::RadioButton, "Rand-Dämpfung"},
    {TRole::RadioButton, "Reflexion (loses Ende)"},
    {TRole::RadioButton, "Reflexion (festes Ende)"},
    {TRole::CheckBox, "Anregung"},
    {TRole::PushButton, "Null"},
    {TRole::PushButton, "Pause"},
    {TRole::PushButton, "Weiter"},
    {TRole::PushButton, "Info"},
    {TRole::PushButton, "Ende"},
    {TRole::ScrollBar, "Drehen um x"},
    {TRole::ScrollBar, "Drehen um y"},
    {TRole::ScrollBar, "Drehen um z"},
    {TRole::ScrollBar, "Zoom"},
    {TRole::PushButton, "Rücksetzen"},
    {TRole::CheckBox, "Kreuzgitter"},
    {TRole::RadioButton, "Punktquelle zentral"},
    {TRole::RadioButton, "Punktquelle Ecke"},
    {TRole::RadioButton, "Zwei Punktquellen eng"},
    {TRole::RadioButton, "Zwei Punktquellen weit"},
    {TRole::RadioButton, "eingespannte Membrane"},
    {TRole::RadioButton, "lose Membrane"},
    {TRole::RadioButton, "gerade Wellenfront"},
    {TRole::CheckBox, "Punktquelle 1"},
    {TRole::Text, "Punktquelle 1 x"},
    {TRole::Text, "Punktquelle 1 y"},
    {TRole::CheckBox, "Punktquelle 2"},
    {TRole::Text, "Punktquelle 2 x"},
    {TRole::Text, "Punktquelle 2 y"},
    {TRole::PushButton, "Infobox schließen"},
};

// The window's progress of "Animation aufnehmen …", kept apart from the list
// above, which the page's test holds the page to: the page records no animation.
const std::vector<TAccessibleControl> RecordingPanel = {
    {TRole::Filler, "Aufnahme"},
    {TRole::PushButton, "Stopp"},
};

// Every control of the window "Messung" that takes input; a combo box speaks
// its current choice.
const std::vector<TAccessibleControl> MeasuringWindow = {
    {TRole::CheckBox, "Sonde 1"},
    {TRole::SpinButton, "Sonde 1 x"},
    {TRole::SpinButton, "Sonde 1 y"},
    {TRole::CheckBox, "Sonde 2"},
    {TRole::SpinButton, "Sonde 2 x"},
    {TRole::SpinButton, "Sonde 2 y"},
    {TRole::CheckBox, "Sonde 3"},
    {TRole::SpinButton, "Sonde 3 x"},
    {TRole::SpinButton, "Sonde 3 y"},
    {TRole::CheckBox, "Sonde 4"},
    {TRole::SpinButton, "Sonde 4 x"},
    {TRole::SpinButton, "Sonde 4 y"},
    {TRole::ComboBox, "entlang der Zeile von Sonde 1"},
    {TRole::PushButton, "Start"},
    {TRole::PushButton, "Stopp"},
    {TRole::PushButton, "Zurücksetzen"},
    {TRole::PushButton, "Als CSV speichern …"},
    {TRole::Slider, "Zeitleiste"},
};

using Clock = std::chrono::steady_clock;
// Generous: the program, its bridge and the buses start slowly on a busy
// machine, and slower still under the sanitizers.
constexpr auto Patience = std::chrono::seconds(120);
constexpr int ScriptPatienceMs = 30000;
constexpr int NotThereYet = 3; // the script's answer while the window is not on the bus
const QString ProgramName = QStringLiteral("wogenfeld");

std::string Listed(const std::vector<TAccessibleControl>& controls) {
    std::string text;
    for (const TAccessibleControl& control : controls) {
        text += "\n  " + RoleName(control.Role) + " \"" + control.Name + '"';
    }
    return text;
}

class Accessibility : public testing::Test {
  protected:
    void SetUp() override {
        const QString serverError = Session.StartServer({1920, 1080});
        if (!serverError.isEmpty()) {
            GTEST_SKIP() << "No X server could be started, so the window is not read "
                            "through the accessibility bus: "
                         << serverError.toStdString();
        }
        const QString managerError = Session.StartWindowManager();
        ASSERT_TRUE(managerError.isEmpty()) << managerError.toStdString();
        const QString busError = Session.StartSessionBus();
        if (!busError.isEmpty()) {
            GTEST_SKIP() << "No D-Bus session bus could be started, so there is no "
                            "accessibility bus to read the window through: "
                         << busError.toStdString();
        }
        Environment.insert(QStringLiteral("DISPLAY"), Session.Display());
        Environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), Session.SessionBusAddress());
        // The session's accessibility bus, not one of the caller's desktop.
        Environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
        QProcessEnvironment program = Environment;
        program.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // Qt offers its accessibility only when a screen reader is said to run.
        program.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        program.insert(QStringLiteral("QT_ACCESSIBILITY"), QStringLiteral("1"));
        Program.setProcessEnvironment(program);
        Program.setProcessChannelMode(QProcess::MergedChannels);
        Program.setStandardOutputFile(Folder.filePath(QStringLiteral("program.log")));
        // Few passes: the names, not the waves, are looked at.
        Program.start(QStringLiteral(WOGENFELD_WINDOW_PROGRAM),
                      {QStringLiteral("--passes-per-second"), QStringLiteral("10")});
        ASSERT_TRUE(Program.waitForStarted()) << Program.errorString().toStdString();
    }

    void TearDown() override {
        if (Program.state() != QProcess::NotRunning) {
            Program.kill();
            Program.waitForFinished();
        }
    }

    // What the program printed so far.
    std::string ProgramSaid() const {
        QFile log(Folder.filePath(QStringLiteral("program.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : std::string();
    }

    // Runs the script until the program's window is on the bus, within the
    // patience; its exit code, and what it printed.
    int Script(const QStringList& arguments, std::string& output) {
        const auto limit = Clock::now() + Patience;
        for (;;) {
            QProcess script;
            script.setProcessEnvironment(Environment);
            script.start(QStringLiteral(WOGENFELD_ACCESSIBLE_CONTROLS), arguments);
            if (!script.waitForFinished(ScriptPatienceMs)) script.kill();
            script.waitForFinished();
            output = script.readAllStandardOutput().toStdString() +
                     script.readAllStandardError().toStdString();
            const int code = script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
            if (code != NotThereYet || Clock::now() > limit ||
                Program.state() == QProcess::NotRunning) {
                return code;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }

    // The objects of the window, as the bus shows them.
    std::vector<TAccessibleControl> Window(const QString& title) {
        std::string output;
        const int code = Script({QStringLiteral("list"), ProgramName, title}, output);
        EXPECT_EQ(code, 0) << "The window \"" << title.toStdString()
                           << "\" was not found on the accessibility bus:\n"
                           << output << "\nThe program said:\n"
                           << ProgramSaid();
        std::vector<TAccessibleControl> found;
        for (const QString& line : QString::fromStdString(output).split('\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split('\t');
            if (fields.size() == 2) {
                found.push_back({static_cast<TRole>(fields[0].toInt()), fields[1].toStdString()});
            }
        }
        return found;
    }

    // Every expected control is there, once, with its name; no other object of
    // their roles is (a control left without a name shows as one named "").
    static void ExpectControls(std::vector<TAccessibleControl> found,
                               std::vector<TAccessibleControl> expected) {
        std::set<TRole> roles;
        for (const TAccessibleControl& control : expected)
            roles.insert(control.Role);
        std::erase_if(found, [&](const TAccessibleControl& c) { return !roles.contains(c.Role); });
        std::ranges::sort(found);
        std::ranges::sort(expected);
        std::vector<TAccessibleControl> missing;
        std::vector<TAccessibleControl> unexpected;
        std::ranges::set_difference(expected, found, std::back_inserter(missing));
        std::ranges::set_difference(found, expected, std::back_inserter(unexpected));
        EXPECT_TRUE(missing.empty()) << "Not on the bus:" << Listed(missing);
        EXPECT_TRUE(unexpected.empty()) << "On the bus instead:" << Listed(unexpected);
    }

    QTemporaryDir Folder;
    TScreenSession Session;
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    QProcess Program;
};

TEST_F(Accessibility, EveryControlOfTheWindowSpeaksItsNameAndEndWorksThroughTheBus) {
    std::vector<TAccessibleControl> expected = MainWindow;
    expected.insert(expected.end(), RecordingPanel.begin(), RecordingPanel.end());
    ExpectControls(Window(QStringLiteral("Wogenfeld")), expected);

    // A screen reader's user ends the program as anyone does: with "Ende".
    std::string output;
    ASSERT_EQ(Script({QStringLiteral("press"), ProgramName, QStringLiteral("Wogenfeld"),
                      QStringLiteral("Ende")},
                     output),
              0)
        << output;
    const bool ended =
        Program.waitForFinished(static_cast<int>(std::chrono::milliseconds(Patience).count()));
    const std::string said = ProgramSaid();
    ASSERT_TRUE(ended) << "The program did not end after \"Ende\":\n" << said;
    EXPECT_EQ(Program.exitStatus(), QProcess::NormalExit) << said;
    EXPECT_EQ(Program.exitCode(), 0) << said;
}

TEST_F(Accessibility, EveryControlOfMessungSpeaksItsName) {
    ASSERT_FALSE(Window(QStringLiteral("Wogenfeld")).empty());
    // F2, as the user opens it, into the window that has the focus.
    QProcess key;
    key.setProcessEnvironment(Environment);
    key.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F2")});
    ASSERT_TRUE(key.waitForFinished(ScriptPatienceMs) && key.exitCode() == 0)
        << key.readAllStandardError().toStdString();
    ExpectControls(Window(QStringLiteral("Messung")), MeasuringWindow);
}

} // namespace
