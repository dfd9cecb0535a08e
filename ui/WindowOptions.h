// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// What the window is started with. Without options it runs its passes
// unpaced, as fast as the machine allows.
struct TWindowOptions {
    // At most this many passes a second; none: no pacing at all.
    std::optional<int> PassesPerSecond;
    // A lesson file to open once the window shows; empty: none.
    QString LessonFile;
};

struct TWindowHelpRequested {};
struct TWindowVersionRequested {};

QString WindowUsage();

// The options from the arguments (without the program's name) and from the
// environment variable WOGENFELD_PASSES_PER_SECOND (its value, or an empty
// string where it is unset), a request for help or for the version, or a
// one-line message saying what is wrong. An option on the command line wins
// over the environment. Besides them one lesson file may be named. Anything
// else on the command line, Qt's own options included, is refused: the window
// reads no files but lessons and takes no settings but its own.
std::variant<TWindowOptions, TWindowHelpRequested, TWindowVersionRequested, QString>
ParseWindowOptions(const QStringList& args, const QString& passesFromEnvironment);
