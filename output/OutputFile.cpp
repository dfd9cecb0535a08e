// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <unistd.h>

namespace {

// As many links as the kernel follows in one name.
constexpr int MaxLinks = 40;

// /dev/stdout and its kin lead through /proc/<process>/fd/<n> or /dev/fd/<n>
// to a descriptor the caller opened: that open file is the output, even where
// it is a regular file a shell redirected to.
bool IsDescriptor(const QString& path) {
    return path.startsWith(QLatin1String("/dev/fd/")) ||
           (path.startsWith(QLatin1String("/proc/")) &&
            path.section(QLatin1Char('/'), 3, 3) == QLatin1String("fd"));
}

} // namespace

TOutputTarget OutputTarget(const QString& name) {
    if (name == QLatin1String("-")) return {TOutputTarget::TKind::StandardOutput, name};
    const QFileInfo info(name);
    QString path = info.absoluteFilePath();
    // Only a regular file may be replaced: renaming over a device or a FIFO
    // would put a file in its place and cut off whoever reads it.
    if (info.exists() && !info.isFile() && !info.isDir())
        return {TOutputTarget::TKind::InPlace, path};
    for (int link = 0; link < MaxLinks && QFileInfo(path).isSymLink(); ++link) {
        if (IsDescriptor(path)) return {TOutputTarget::TKind::InPlace, path};
        path = QFileInfo(path).symLinkTarget();
    }
    return {TOutputTarget::TKind::Replaced, path};
}

std::optional<QString> OutputRefusal(const QString& name) {
    const TOutputTarget target = OutputTarget(name);
    if (target.Kind != TOutputTarget::TKind::Replaced) return std::nullopt;
    const QFileInfo file(target.Path);
    if (file.isDir()) return QStringLiteral("%1 is a folder").arg(name);
    if (file.isSymLink())
        return QStringLiteral("cannot write %1: too many symbolic links").arg(name);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        return QStringLiteral("cannot write %1: its folder does not exist or is not writable")
            .arg(name);
    }
    return std::nullopt;
}

QString TOutputFile::Message(const QString& cause) const {
    return QStringLiteral("%1: cannot write %2: %3").arg(Option, FileName, cause);
}

std::optional<QString> TOutputFile::Open(const QString& name, const QString& option) {
    FileName = name;
    Option = option;
    WriteFailure.reset();
    if (const std::optional<QString> refusal = OutputRefusal(name)) {
        return QStringLiteral("%1: %2").arg(option, *refusal);
    }
    const TOutputTarget target = OutputTarget(name);
    std::unique_ptr<QFileDevice> file;
    bool opened = false;
    if (target.Kind == TOutputTarget::TKind::Replaced) {
        auto saved = std::make_unique<QSaveFile>(target.Path);
        opened = saved->open(QIODevice::WriteOnly);
        file = std::move(saved);
    } else {
        auto direct = std::make_unique<QFile>(target.Path);
        opened =
            target.Kind == TOutputTarget::TKind::StandardOutput
                ? direct->open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)
                : direct->open(QIODevice::WriteOnly);
        file = std::move(direct);
    }
    if (!opened) return Message(file->errorString());
    File = std::move(file);
    return std::nullopt;
}

bool TOutputFile::Write(QByteArrayView bytes) {
    if (WriteFailure) return false;
    if (File->write(bytes.data(), bytes.size()) != bytes.size())
        WriteFailure = Message(File->errorString());
    return !WriteFailure;
}

std::optional<QString> TOutputFile::Commit() {
    // Closed whichever way it ends: a file not renamed into place is removed.
    const std::unique_ptr<QFileDevice> file = std::move(File);
    if (WriteFailure) return WriteFailure;
    auto* saved = qobject_cast<QSaveFile*>(file.get());
    if (!(saved ? saved->commit() : file->flush())) return Message(file->errorString());
    return std::nullopt;
}

std::optional<QString> TOutputFile::CommitPng(const QImage& picture) {
    QImageWriter writer(File.get(), "png");
    if (!writer.write(picture)) {
        const QString cause =
            File->error() != QFileDevice::NoError ? File->errorString() : writer.errorString();
        File.reset();
        return Message(cause);
    }
    return Commit();
}

std::optional<QString> WritePngFile(const QImage& picture, const QString& name,
                                    const QString& option) {
    TOutputFile file;
    if (std::optional<QString> failure = file.Open(name, option)) return failure;
    return file.CommitPng(picture);
}

std::optional<QString> WriteTextFile(std::string_view text, const QString& name,
                                     const QString& option) {
    TOutputFile file;
    if (std::optional<QString> failure = file.Open(name, option)) return failure;
    file.Write(text);
    return file.Commit();
}
