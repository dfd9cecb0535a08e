// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenTesting.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void Xdotool(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    const bool done = xdotool.waitForFinished(10000);
    EXPECT_TRUE(done && xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0)
        << "xdotool " << arguments.join(' ').toStdString() << ": "
        << xdotool.readAllStandardError().toStdString();
}

QStringList MoveTo(QPoint global) {
    return {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
            QString::number(global.y())};
}

// An X connection of the test's own, beside the application's.
struct TConnection {
    TConnection() : Handle(xcb_connect(nullptr, nullptr)) {}
    ~TConnection() { xcb_disconnect(Handle); }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    xcb_atom_t Atom(const char* name) const {
        const auto reply = std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)>(
            xcb_intern_atom_reply(
                Handle, xcb_intern_atom(Handle, 0, static_cast<uint16_t>(strlen(name)), name),
                nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    QByteArray Property(const QWidget* window, const char* name, xcb_atom_t type) const {
        const auto reply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>(
            xcb_get_property_reply(Handle,
                                   xcb_get_property(Handle, 0,
                                                    static_cast<xcb_window_t>(window->winId()),
                                                    Atom(name), type, 0, 1024),
                                   nullptr),
            &std::free);
        if (!reply) return {};
        // The value's length in bytes, whatever its format.
        return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    }

    QString AtomName(xcb_atom_t atom) const {
        const auto reply = std::unique_ptr<xcb_get_atom_name_reply_t, decltype(&std::free)>(
            xcb_get_atom_name_reply(Handle, xcb_get_atom_name(Handle, atom), nullptr), &std::free);
        if (!reply) return {};
        return QString::fromLatin1(xcb_get_atom_name_name(reply.get()),
                                   xcb_get_atom_name_name_length(reply.get()));
    }

    xcb_connection_t* Handle;
};

} // namespace

QImage GrabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

QRect ScreenRect(const QWidget* widget) {
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

void MovePointerTo(QPoint global) {
    Xdotool(MoveTo(global));
}

void ClickAt(QPoint global) {
    Xdotool(MoveTo(global) << QStringLiteral("click") << QStringLiteral("1"));
}

void RightClickAt(QPoint global) {
    Xdotool(MoveTo(global) << QStringLiteral("click") << QStringLiteral("3"));
}

void DoubleClickAt(QPoint global) {
    Xdotool(MoveTo(global) << QStringLiteral("click") << QStringLiteral("--repeat")
                           << QStringLiteral("2") << QStringLiteral("--delay")
                           << QStringLiteral("100") << QStringLiteral("1"));
}

void PressKey(const char* key) {
    Xdotool({QStringLiteral("key"), QString::fromLatin1(key)});
}

void MinimiseWindow(const QWidget* window) {
    Xdotool({QStringLiteral("windowminimize"), QStringLiteral("--sync"),
             QString::number(window->winId())});
}

void ActivateWindow(const QWidget* window) {
    Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
             QString::number(window->winId())});
}

QString WindowName(const QWidget* window) {
    const TConnection x;
    return QString::fromUtf8(x.Property(window, "_NET_WM_NAME", x.Atom("UTF8_STRING")));
}

QStringList WindowStates(const QWidget* window) {
    const TConnection x;
    const QByteArray atoms = x.Property(window, "_NET_WM_STATE", XCB_ATOM_ATOM);
    QStringList names;
    for (qsizetype at = 0; at + 4 <= atoms.size(); at += 4) {
        xcb_atom_t atom = 0;
        std::memcpy(&atom, atoms.constData() + at, 4);
        names << x.AtomName(atom);
    }
    return names;
}
