// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtMessages.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QtMessageHandler Previous = nullptr;
bool Opening = false;

// A message held back while the application is being made.
struct THeldMessage {
    QtMsgType Type;
    QByteArray File;
    int Line;
    QByteArray Function;
    QByteArray Category;
    QString Text;
};
std::vector<THeldMessage> Held;

bool IsMissingRuntimeDirWarning(QtMsgType type, const QString& text) {
    return type == QtWarningMsg &&
           text.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

QString NoWindowMessage() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) {
        return QStringLiteral("cannot open the window: the Qt platform '%1' did not start")
            .arg(platform);
    }
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        return QStringLiteral("there is no display to open the window on "
                              "(DISPLAY and WAYLAND_DISPLAY are unset)");
    }
    return QStringLiteral("cannot open the window: the display '%1' cannot be reached")
        .arg(display);
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (IsMissingRuntimeDirWarning(type, text)) return;
    if (Opening) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "wogenfeld: %s\n", qPrintable(NoWindowMessage()));
            std::fflush(stderr);
            std::_Exit(1);
        }
        Held.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    Previous(type, context, text);
}

} // namespace

void DropMissingRuntimeDirWarning() {
    const QtMessageHandler before = qInstallMessageHandler(Handle);
    if (before != Handle) Previous = before;
}

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv) {
    DropMissingRuntimeDirWarning();
    Opening = true;
    auto application = std::make_unique<QApplication>(argc, argv);
    Opening = false;
    for (const THeldMessage& message : Held) {
        const QMessageLogContext context(message.File.constData(), message.Line,
                                         message.Function.constData(),
                                         message.Category.constData());
        Previous(message.Type, context, message.Text);
    }
    Held.clear();
    return application;
}
