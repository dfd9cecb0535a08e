// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/TPicture.h"

#include <cstdint>

// FNV-1a over the picture's 32-bit pixels, each in little-endian byte order:
// the frame's fingerprint, the same wherever the view is drawn.
std::uint64_t HashPicture(const TPicture& picture);
