// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>

// The options of wogenfeld-render, with their help and the help's own text
// above them, told to `parser`.
void DefineRenderOptions(QCommandLineParser& parser);

// The help text; the manual page is made from it.
QString RenderUsage();
