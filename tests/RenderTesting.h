// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/RenderArguments.h"
#include "render/RenderJob.h"

#include <QDir>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdio>
#include <variant>

// The settings of a command line; the test fails if it is refused.
inline TRenderSettings Settings(const QStringList& args) {
    const auto parsed = ParseRenderArguments(args);
    if (const auto* error = std::get_if<QString>(&parsed)) ADD_FAILURE() << error->toStdString();
    return std::holds_alternative<TRenderSettings>(parsed) ? std::get<TRenderSettings>(parsed)
                                                           : TRenderSettings{};
}

// Runs wogenfeld-render's work for a command line, quietly; the exit status.
inline int Render(const QStringList& args) {
    std::FILE* messages = std::tmpfile();
    const int status = RunRender(Settings(args + QStringList{"--quiet"}), messages);
    std::fclose(messages);
    return status;
}

inline QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
