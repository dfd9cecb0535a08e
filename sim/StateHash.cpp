// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/StateHash.h"

#include <cstring>

namespace {

constexpr std::uint64_t FnvOffset = 14695981039346656037ull;
constexpr std::uint64_t FnvPrime = 1099511628211ull;

// The six padding bytes of an x87 extended in memory hold no value.
constexpr std::size_t ValueBytes = 10;

void Feed(std::uint64_t& hash, const unsigned char* bytes, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        hash ^= bytes[k];
        hash *= FnvPrime;
    }
}

void Feed(std::uint64_t& hash, Extended value) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof value);
    Feed(hash, bytes, ValueBytes);
}

} // namespace

std::uint64_t HashBytes(const unsigned char* bytes, std::size_t count) {
    std::uint64_t hash = FnvOffset;
    Feed(hash, bytes, count);
    return hash;
}

std::uint64_t HashState(const TNet& net) {
    std::uint64_t hash = FnvOffset;
    for (int j = 1; j <= net.GridSize; ++j) {
        for (int i = 1; i <= net.GridSize; ++i) {
            Feed(hash, net.Nodes(i, j).Z);
            Feed(hash, net.Nodes(i, j).V);
        }
    }
    return hash;
}
