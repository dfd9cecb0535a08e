// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFileDialog;

// Qt's own file dialog speaks the language of the translations installed,
// which a system may lack; the window's dialogs speak German regardless.
void GiveGermanLabels(QFileDialog& dialog);
