// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/Net.h"

#include <cstddef>
#include <cstdint>

// FNV-1a of a run of bytes: a fingerprint that changes with any bit of them.
std::uint64_t HashBytes(const unsigned char* bytes, std::size_t count);

// FNV-1a over the ten value bytes of Z and V of every used node: a fingerprint
// of the net's state that changes with any bit of any displacement or velocity.
std::uint64_t HashState(const TNet& net);
