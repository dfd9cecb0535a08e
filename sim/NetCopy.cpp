// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/NetCopy.h"

#include <cstring>

namespace {

std::size_t RowBytes(const TNet& net) {
    return sizeof(TNode) * static_cast<std::size_t>(net.GridSize);
}

} // namespace

void TNetCopy::Keep(const TNet& net) {
    std::memcpy(Values.data(), reinterpret_cast<const unsigned char*>(&net) + ValuesStart,
                Values.size());
    const std::size_t row = RowBytes(net);
    unsigned char* into = Nodes;
    for (int j = 1; j <= net.GridSize; ++j, into += row)
        std::memcpy(into, &net.Nodes(1, j), row);
}

void TNetCopy::RestoreInto(TNet& net) const {
    std::memcpy(reinterpret_cast<unsigned char*>(&net) + ValuesStart, Values.data(), Values.size());
    const std::size_t row = RowBytes(net);
    const unsigned char* from = Nodes;
    for (int j = 1; j <= net.GridSize; ++j, from += row)
        std::memcpy(&net.Nodes(1, j), from, row);
}
