// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

// A virtual X screen with a window manager, the world of the screen tests:
// Xvfb on a display number it finds free itself, and openbox on it; on
// request a D-Bus session bus beside them. All end with the session, and,
// through the kernel, with the test program should it die first, so that no
// test leaves a server behind.
class TScreenSession {
  public:
    TScreenSession() = default;
    TScreenSession(const TScreenSession&) = delete;
    TScreenSession& operator=(const TScreenSession&) = delete;
    ~TScreenSession() { Stop(); }

    // Each returns an empty text once the thing runs, else what went wrong.
    QString StartServer(QSize size);
    // Returns when openbox manages the screen: its event loop answers.
    QString StartWindowManager();
    // Waits for it to end.
    void StopWindowManager();
    // A D-Bus session bus for the programs on the screen, after StartServer.
    QString StartSessionBus();
    // The bus, the window manager, then the server; waits for each to end.
    void Stop();

    // ":N", valid after StartServer.
    QString Display() const { return QStringLiteral(":%1").arg(DisplayNumber); }
    // The X server's process, valid after StartServer.
    pid_t ServerProcess() const { return Server; }
    // The window manager's process, valid after StartWindowManager.
    pid_t ManagerProcess() const { return Manager; }
    // For DBUS_SESSION_BUS_ADDRESS, valid after StartSessionBus.
    QString SessionBusAddress() const { return BusAddress; }

  private:
    QTemporaryDir Logs; // the servers' output, shown when they fail to start
    pid_t Server = -1;
    pid_t Manager = -1;
    pid_t Bus = -1;
    int DisplayNumber = -1;
    QString BusAddress;
};
