// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Extended.h"
#include "ui/QtMessages.h"
#include "ui/ShowMainWindow.h"
#include "ui/Unit1.h"
#include "ui/WindowOptions.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList args;
    for (int k = 1; k < argc; ++k)
        args << QString::fromLocal8Bit(argv[k]);
    const auto parsed =
        ParseWindowOptions(args, qEnvironmentVariable("WOGENFELD_PASSES_PER_SECOND"));
    if (std::holds_alternative<TWindowHelpRequested>(parsed)) {
        std::printf("%s", qPrintable(WindowUsage()));
        return 0;
    }
    if (std::holds_alternative<TWindowVersionRequested>(parsed)) {
        std::printf("wogenfeld %s\nextended reals: %s\n", WOGENFELD_VERSION, ExtendedRealsName());
        return 0;
    }
    if (const auto* error = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "wogenfeld: %s\n", qPrintable(*error));
        return 2;
    }
    const TWindowOptions& options = std::get<TWindowOptions>(parsed);

    // Qt sees none of the arguments: its own options (-stylesheet FILE and
    // the like) would let a command line change the window or read files.
    int qtArgc = 1;
    const auto application = OpenApplication(qtArgc, argv);
    TForm1 Form1;
    if (options.PassesPerSecond) Form1.PacePasses(*options.PassesPerSecond);
    ShowMainWindow(Form1, options.LessonFile);
    return QApplication::exec();
}
