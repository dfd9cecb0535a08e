// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderArguments.h"
#include "render/RenderHelp.h"
#include "render/RenderJob.h"
#include "sim/Extended.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    // A reader that goes away is a failed write, said in a line and exit status 1, not a silent
    // end.
    std::signal(SIGPIPE, SIG_IGN);
    QStringList args;
    for (int k = 1; k < argc; ++k)
        args << QString::fromLocal8Bit(argv[k]);

    const auto parsed = ParseRenderArguments(args);
    if (std::holds_alternative<THelpRequested>(parsed)) {
        std::printf("%s", qPrintable(RenderUsage()));
        return RenderSucceeded;
    }
    if (std::holds_alternative<TVersionRequested>(parsed)) {
        std::printf("wogenfeld-render %s\nextended reals: %s\n", WOGENFELD_VERSION,
                    ExtendedRealsName());
        return RenderSucceeded;
    }
    if (const auto* error = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "wogenfeld-render: %s (see wogenfeld-render --help)\n",
                     qPrintable(*error));
        return BadArguments;
    }
    const TRenderSettings& settings = std::get<TRenderSettings>(parsed);

    // Only the chart's text needs fonts, and so a platform; none needs a screen.
    std::unique_ptr<QCoreApplication> application;
    if (settings.PlotFile.isEmpty()) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    return RunRender(settings, stderr);
}
