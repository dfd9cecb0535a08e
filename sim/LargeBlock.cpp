// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/LargeBlock.h"

#include <new>

#if defined(__linux__)

#include <cstdlib>
#include <sys/mman.h>

namespace {

constexpr std::size_t HugePage = std::size_t{1} << 21;
// A smaller block is not worth a page of 2 MB.
constexpr std::size_t SmallestOnHugePages = HugePage / 2;

} // namespace

void* AllocateLargeBlock(std::size_t bytes) {
    if (bytes < SmallestOnHugePages) {
        void* const block = std::malloc(bytes == 0 ? 1 : bytes);
        if (block == nullptr) throw std::bad_alloc();
        return block;
    }
    const std::size_t rounded = (bytes + HugePage - 1) / HugePage * HugePage;
    void* const block = std::aligned_alloc(HugePage, rounded);
    if (block == nullptr) throw std::bad_alloc();
    // Only advice: without huge pages the block serves all the same.
    madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

// Both kinds go back to the C library's heap.
void FreeLargeBlock(void* block) noexcept { std::free(block); }

#else

void* AllocateLargeBlock(std::size_t bytes) { return ::operator new(bytes); }

void FreeLargeBlock(void* block) noexcept { ::operator delete(block); }

#endif
