// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TForm1;

// Shows the program's window as it opens at start: maximised. A lesson named
// on the command line opens once the window shows, so that its progress and
// any message stand over it.
void ShowMainWindow(TForm1& form, const QString& lessonFile = {});
