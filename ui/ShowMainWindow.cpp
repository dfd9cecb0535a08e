// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShowMainWindow.h"

#include "ui/Unit1.h"

void ShowMainWindow(TForm1& form) {
    form.showMaximized();
}
