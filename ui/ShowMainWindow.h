// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TForm1;

// Shows the program's window as it opens at start: maximised.
void ShowMainWindow(TForm1& form);
