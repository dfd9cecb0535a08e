// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>
#include <string_view>

// How an output name is written, as cp and the GNU tools write it.
struct TOutputTarget {
    enum class TKind {
        StandardOutput, // the name "-"
        InPlace,        // a device, FIFO or socket: written directly, never replaced or removed
        Replaced, // a regular file or a new name: written beside it under a temporary name, then
                  // renamed
    };
    TKind Kind;
    // Where the bytes go; for a file reached through symbolic links, the name they lead to.
    QString Path;
};
TOutputTarget OutputTarget(const QString& name);

// Why `name` cannot be written (a folder, or a file whose folder cannot be
// written), or nothing; standard output and devices are left to their opening.
std::optional<QString> OutputRefusal(const QString& name);

// One output, opened before the work so that one that cannot be written is
// refused before any is done. A write that fails, or one never committed,
// leaves no partial regular file; a closed pipe is reported as a failed write
// where the program ignores SIGPIPE.
class TOutputFile {
  public:
    // A message naming `option` when the output cannot be opened.
    std::optional<QString> Open(const QString& name, const QString& option);
    bool IsOpen() const { return File != nullptr; }
    const QString& Name() const { return FileName; }

    // False once a write has failed; Failure() then says why.
    bool Write(QByteArrayView bytes);
    std::optional<QString> Failure() const { return WriteFailure; }

    // Finishes the output (renames a file into place); a message when that
    // or an earlier write failed.
    std::optional<QString> Commit();
    std::optional<QString> CommitPng(const QImage& picture);

  private:
    QString Message(const QString& cause) const;

    std::unique_ptr<QFileDevice> File;
    QString FileName;
    QString Option;
    std::optional<QString> WriteFailure;
};

// One text as an output, whole or not at all; a message when it fails.
std::optional<QString> WriteTextFile(std::string_view text, const QString& name,
                                     const QString& option);
// One picture as a PNG output; a message when it fails.
std::optional<QString> WritePngFile(const QImage& picture, const QString& name,
                                    const QString& option);
