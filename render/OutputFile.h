// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSaveFile>
#include <QString>

#include <memory>
#include <optional>

// A file that the renderer writes under a temporary name and renames when it
// is complete, so that a failed or interrupted run leaves no partial file.
// Opened before the run, so that a file that cannot be written is refused
// before any work is done.
class TOutputFile {
  public:
    // A message naming `option` when the file cannot be opened.
    std::optional<QString> Open(const QString& path, const QString& option);
    bool IsOpen() const { return File != nullptr; }
    QIODevice& Device() { return *File; }
    const QString& Path() const { return FilePath; }

    // Renames the finished file into place; a message when that fails.
    std::optional<QString> Commit();
    std::optional<QString> CommitPng(const QImage& picture);

  private:
    std::unique_ptr<QSaveFile> File;
    QString FilePath;
    QString Option;
};

// One picture as a PNG file, through a temporary name; a message when it fails.
std::optional<QString> WritePngFile(const QImage& picture, const QString& path, const QString& option);
