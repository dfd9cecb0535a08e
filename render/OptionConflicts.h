// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>

#include <optional>

struct TRenderSettings;

// What the options given in `parser`, read into `settings`, ask of each other
// or of the files they name that cannot be done; nothing where all can.
std::optional<QString> OptionConflict(const TRenderSettings& settings,
                                      const QCommandLineParser& parser);
