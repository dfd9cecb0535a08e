// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Renderer.h"
#include "sim/StateHash.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

namespace {

void Say(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }

// Written under a temporary name and renamed when complete, so that no
// half-written picture is ever left behind.
bool WritePng(const QImage& frame, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Say(QStringLiteral("wogenfeld-render: cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(frame) || !file.commit()) {
        Say(QStringLiteral("wogenfeld-render: cannot write %1").arg(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    const auto parsed = ParseRenderArguments(args);
    if (std::holds_alternative<THelpRequested>(parsed)) {
        std::printf("%s", qPrintable(RenderUsage()));
        return 0;
    }
    if (const auto* error = std::get_if<QString>(&parsed)) {
        Say(QStringLiteral("wogenfeld-render: %1\nTry wogenfeld-render --help.").arg(*error));
        return 2;
    }
    const TRenderSettings& settings = std::get<TRenderSettings>(parsed);

    TRenderer renderer(settings);
    const long long progressStep = settings.Iterations >= 20000 ? settings.Iterations / 20 : 0;
    for (long long done = 1; done <= settings.Iterations; ++done) {
        if (!renderer.Pass()) {
            Say(QStringLiteral("wogenfeld-render: %1").arg(renderer.Error()));
            return 1;
        }
        if (settings.Every > 0 && done % settings.Every == 0) {
            const QString name = QStringLiteral("frame-%1.png").arg(done, 6, 10, QLatin1Char('0'));
            if (!WritePng(renderer.Frame(), QDir(settings.OutDir).filePath(name))) return 1;
        }
        if (!settings.Quiet && progressStep > 0 && done % progressStep == 0) {
            Say(QStringLiteral("%1 of %2 passes").arg(done).arg(settings.Iterations));
        }
    }
    if (!settings.OutFile.isEmpty() && !WritePng(renderer.Frame(), settings.OutFile)) return 1;
    if (settings.PrintHashes) {
        std::printf("state %016llx\nframe %016llx\n",
                    static_cast<unsigned long long>(HashState(renderer.Net())),
                    static_cast<unsigned long long>(renderer.FrameHash()));
    }
    return 0;
}
