// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "real/SoftExtended.h"

#include <array>
#include <cstdint>

extern const std::int32_t TwoOverPiDigits[690];

// Sine and cosine at one point of the table, each split in two so that their
// sum carries more than 64 bits.
struct TSineTableRow {
    TSoftExtended CosHigh, CosLow, SinHigh, SinLow;
};
extern const std::array<TSineTableRow, 83> SineTable;
