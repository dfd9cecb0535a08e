#include "sim/StateHash.h"

#include <cstring>

namespace {

constexpr std::uint64_t FnvOffset = 14695981039346656037ull;
constexpr std::uint64_t FnvPrime = 1099511628211ull;

// The six padding bytes of an x87 extended in memory hold no value.
constexpr int ValueBytes = 10;

void Feed(std::uint64_t& hash, Extended value) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof value);
    for (int k = 0; k < ValueBytes; ++k) {
        hash ^= bytes[k];
        hash *= FnvPrime;
    }
}

} // namespace

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
