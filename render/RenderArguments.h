// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/RenderSettings.h"

#include <QString>
#include <QStringList>

#include <variant>

// The settings from the arguments (without the program's name), a request for
// help or for the version, or a one-line message that names the option at fault.
struct THelpRequested {};
struct TVersionRequested {};
std::variant<TRenderSettings, THelpRequested, TVersionRequested, QString>
ParseRenderArguments(const QStringList& args);
