// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <memory>

// Makes the application as the window needs it, with Qt's messages in order:
// where no display can be reached, Qt would abort with a screenful about
// platform plugins; instead the program says so in one line and exits with
// status 1. Messages of a start that succeeds are passed on afterwards.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

// From here on, Qt's warning that XDG_RUNTIME_DIR is unset (and which fallback
// folder it takes) is dropped; every other message goes where it went before.
// The window keeps nothing in that folder, so the warning tells a user nothing.
void DropMissingRuntimeDirWarning();
