// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFileDialog;
class QString;
class QWidget;

// Qt's own file dialog speaks the language of the translations installed,
// which a system may lack; the window's dialogs speak German regardless.
void GiveGermanLabels(QFileDialog& dialog);

// A file that could not be written or read: what did not happen, and why,
// in one German box over `parent`.
void ShowFileFailure(QWidget& parent, const QString& what, const QString& failure);
