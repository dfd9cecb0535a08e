// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ControlPanel.h"

#include <QString>
#include <QStringList>

#include <array>
#include <variant>

// What wogenfeld-render is asked to do.
struct TRenderSettings {
    TControlState Controls = StartControls();
    std::array<QString, 4> SourceFields{"36", "36", "36", "36"};
    long long Iterations = 600;
    QString OutFile;     // the last frame, as PNG
    QString OutDir;      // every Every-th frame, as PNG
    long long Every = 0;
    bool PrintHashes = false;
    bool Quiet = false;

    // The window's start state, but with "Anregung" on: a resting net shows nothing.
    static TControlState StartControls();
};

QString RenderUsage();

// The settings from the arguments (without the program's name), a request for
// help, or a message saying what is wrong with them.
struct THelpRequested {};
std::variant<TRenderSettings, THelpRequested, QString> ParseRenderArguments(const QStringList& args);
