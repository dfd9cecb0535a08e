// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/PictureHash.h"

#include "sim/StateHash.h"

#include <bit>

static_assert(std::endian::native == std::endian::little,
              "the pixels are hashed as they lie in memory");

std::uint64_t HashPicture(const TPicture& picture) {
    return HashBytes(reinterpret_cast<const unsigned char*>(picture.Bits()), picture.Bytes());
}
