// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/OutputFile.h"

#include <QImageWriter>

std::optional<QString> TOutputFile::Open(const QString& path, const QString& option) {
    File = std::make_unique<QSaveFile>(path);
    FilePath = path;
    Option = option;
    if (!File->open(QIODevice::WriteOnly)) {
        const QString message = QStringLiteral("%1: cannot write %2: %3").arg(option, path, File->errorString());
        File.reset();
        return message;
    }
    return std::nullopt;
}

std::optional<QString> TOutputFile::Commit() {
    if (!File->commit()) {
        return QStringLiteral("%1: cannot write %2: %3").arg(Option, FilePath, File->errorString());
    }
    return std::nullopt;
}

std::optional<QString> TOutputFile::CommitPng(const QImage& picture) {
    QImageWriter writer(File.get(), "png");
    if (!writer.write(picture)) {
        File->cancelWriting();
        return QStringLiteral("%1: cannot write %2: %3").arg(Option, FilePath, writer.errorString());
    }
    return Commit();
}

std::optional<QString> WritePngFile(const QImage& picture, const QString& path, const QString& option) {
    TOutputFile file;
    if (std::optional<QString> failure = file.Open(path, option)) return failure;
    return file.CommitPng(picture);
}
