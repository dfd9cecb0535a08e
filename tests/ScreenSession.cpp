// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenSession.h"

#include <QDir>
#include <QFile>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto StartLimit = std::chrono::seconds(60); // a loaded machine starts servers slowly

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts command with the given environment; its output goes to logPath, and
// keepOpen (if not -1) stays open in it. The child gets SIGTERM when this
// program ends, however it ends.
pid_t Spawn(std::vector<std::string> command, std::vector<std::string> environment,
            const QString& logPath, int keepOpen) {
    // Everything the child needs is made before the fork: after it, only
    // async-signal-safe calls.
    std::vector<char*> argv = Pointers(command);
    std::vector<char*> envp = Pointers(environment);
    const std::string log = QFile::encodeName(logPath).toStdString();
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child != 0) return child;

    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1); // the parent is already gone
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || in < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    if (keepOpen >= 0) fcntl(keepOpen, F_SETFD, 0);
    execvpe(argv[0], argv.data(), envp.data());
    const char cannot[] = "cannot run ";
    write(2, cannot, sizeof cannot - 1);
    write(2, argv[0], strlen(argv[0]));
    write(2, "\n", 1);
    _exit(127);
}

// This program's environment with the given variables set to the given values.
std::vector<std::string>
EnvironmentWith(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        environment.emplace_back(*entry);
    for (const auto& [name, value] : changes) {
        std::erase_if(environment,
                      [&](const std::string& entry) { return entry.starts_with(name + '='); });
        environment.push_back(name + '=' + value);
    }
    return environment;
}

// Reaps pid if it has ended, and forgets it then.
bool Ended(pid_t& pid) {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == pid) pid = -1;
    return pid <= 0;
}

// Asks politely, then firmly; always reaps.
void End(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    const auto limit = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < limit) {
        if (Ended(pid)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

// The line a starting server writes to `ready` once it serves, read within
// the start limit; the server is ended if it does not come. Closes `ready`.
std::optional<std::string> ReadyLine(int ready, pid_t& server) {
    std::string line;
    const auto limit = Clock::now() + StartLimit;
    while (line.empty() || line.back() != '\n') {
        if (Ended(server) || Clock::now() > limit) {
            close(ready);
            End(server);
            return std::nullopt;
        }
        pollfd wait{.fd = ready, .events = POLLIN, .revents = 0};
        if (poll(&wait, 1, 100) <= 0) continue;
        char c = 0;
        if (read(ready, &c, 1) == 1) line += c;
    }
    close(ready);
    line.pop_back();
    return line;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return atom;
}

QString LastLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).trimmed().split('\n');
    return lines.mid(std::max<qsizetype>(0, lines.size() - 8)).join('\n');
}

} // namespace

QString TScreenSession::StartServer(QSize size) {
    if (!Logs.isValid()) return QStringLiteral("no temporary folder for the server's log");
    const QString log = Logs.filePath(QStringLiteral("Xvfb.log"));
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return QStringLiteral("no pipe: %1").arg(strerror(errno));
    // -displayfd: the server takes the first free display and writes its number there.
    const std::string screen =
        QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()).toStdString();
    Server = Spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", screen, "-dpi",
                    "96", "-nolisten", "tcp"},
                   EnvironmentWith({{"LC_ALL", "C"}}), log, ready[1]);
    close(ready[1]);

    const std::optional<std::string> number = ReadyLine(ready[0], Server);
    if (!number) return QStringLiteral("Xvfb did not start:\n%1").arg(LastLines(log));
    DisplayNumber = std::stoi(*number);
    return {};
}

QString TScreenSession::StartWindowManager() {
    const QString log = Logs.filePath(QStringLiteral("openbox.log"));
    // An empty configuration home: openbox takes its system-wide settings,
    // not whatever the person running the tests made of it.
    Manager =
        Spawn({"openbox", "--sm-disable"},
              EnvironmentWith({{"XDG_CONFIG_HOME", QFile::encodeName(Logs.path()).toStdString()},
                               {"DISPLAY", Display().toStdString()}}),
              log, -1);

    const std::string display = Display().toStdString();
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return QStringLiteral("cannot connect to the X server on %1").arg(Display());
    }
    // openbox takes the window manager's selection first thing, and runs its
    // event loop only when the rest of its start is done, seconds later on a
    // busy machine; a window mapped in between is never managed. Only the loop
    // answers a request for a window's frame extents. The request is repeated,
    // as one that comes during the start is dropped too.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_window_t probe = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = probe;
    request.type = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");

    bool managing = false;
    const auto limit = Clock::now() + StartLimit;
    while (!managing && Clock::now() < limit && !Ended(Manager)) {
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&request));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        xcb_get_property_reply_t* answer = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, probe, extents, XCB_ATOM_CARDINAL, 0, 4),
            nullptr);
        managing = answer && xcb_get_property_value_length(answer) == 16;
        free(answer);
    }
    xcb_destroy_window(connection, probe);
    xcb_disconnect(connection);
    if (!managing) {
        End(Manager);
        return QStringLiteral("openbox did not start:\n%1").arg(LastLines(log));
    }
    return {};
}

QString TScreenSession::StartSessionBus() {
    const QString log = Logs.filePath(QStringLiteral("dbus-daemon.log"));
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return QStringLiteral("no pipe: %1").arg(strerror(errno));
    // What the bus starts on demand, the accessibility bus among them, finds
    // the screen, and keeps its sockets in the session's own folder.
    Bus = Spawn({"dbus-daemon", "--session", "--nofork", "--nopidfile",
                 "--print-address=" + std::to_string(ready[1])},
                EnvironmentWith({{"XDG_RUNTIME_DIR", QFile::encodeName(Logs.path()).toStdString()},
                                 {"DISPLAY", Display().toStdString()}}),
                log, ready[1]);
    close(ready[1]);
    const std::optional<std::string> address = ReadyLine(ready[0], Bus);
    if (!address) return QStringLiteral("dbus-daemon did not start:\n%1").arg(LastLines(log));
    BusAddress = QString::fromStdString(*address);
    return {};
}

void TScreenSession::StopWindowManager() {
    End(Manager);
}

void TScreenSession::Stop() {
    End(Bus);
    StopWindowManager();
    End(Server);
}
