// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <ostream>
#include <sys/types.h>

class QWidget;

// Why the tests have no X screen, or empty when they have one.
QString NoScreenReason();

// The screen's window manager started anew: empty once it runs, else what
// went wrong. Its process, for a test that holds it up.
QString RestartWindowManager();
pid_t WindowManagerProcess();

// The whole screen as the X server holds it (the root window's pixels), not
// what a widget would draw of itself.
QImage GrabScreen();

// Where the widget lies on the screen.
QRect ScreenRect(const QWidget* widget);

// Real input through the X server (XTEST, by xdotool), as from a user's mouse
// and keyboard: it reaches whichever window the server says is there or has focus.
void MovePointerTo(QPoint global);
void ClickAt(QPoint global);
void RightClickAt(QPoint global);
void DoubleClickAt(QPoint global);
void PressKey(const char* key);

// The window manager asked, as a user's title bar or task bar asks it, to
// minimise a top-level window, or to bring it back and give it the focus.
void MinimiseWindow(const QWidget* window);
void ActivateWindow(const QWidget* window);

// A top-level window's properties as the X server holds them: its title
// (_NET_WM_NAME) and the states the window manager gave it (_NET_WM_STATE).
QString WindowName(const QWidget* window);
QStringList WindowStates(const QWidget* window);

// Test messages that show the values.
inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << "(" << point.x() << ", " << point.y() << ")";
}
inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << " x " << size.height();
}
