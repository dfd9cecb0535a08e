// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The family every text of the page is set in; its Book, Bold and Italic
// styles must be installed (Debian: fonts-dejavu-core, fonts-dejavu-extra).
inline constexpr const char* InfoPageFontFamily = "DejaVu Serif";

// Lays out the info page in black on white at the size of the built-in info
// picture: the title with a rule under it, the text with the equation of
// motion, and a closing rule. Throws std::runtime_error if the text does not
// fit above the closing rule.
QImage DrawInfoPage();
