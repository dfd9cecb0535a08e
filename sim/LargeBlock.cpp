// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/LargeBlock.h"

#include <new>

#if defined(__linux__)

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace {

constexpr std::size_t HugePage = std::size_t{1} << 21;
// A smaller block is not worth a page of 2 MB.
constexpr std::size_t SmallestOnHugePages = HugePage / 2;

std::size_t Rounded(std::size_t bytes) {
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

} // namespace

void* AllocateLargeBlock(std::size_t bytes) {
    if (bytes < SmallestOnHugePages) {
        void* const block = std::malloc(bytes == 0 ? 1 : bytes);
        if (block == nullptr) throw std::bad_alloc();
        return block;
    }
    // Fresh pages straight from the kernel, which it can back with huge pages
    // when they are first touched; the C library's heap may hand back pages
    // already backed by small ones. One page more, to cut out an aligned block.
    const std::size_t size = Rounded(bytes);
    void* const mapped =
        mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + HugePage - 1) / HugePage * HugePage;
    auto* const block = reinterpret_cast<unsigned char*>(aligned);
    if (aligned != start) munmap(mapped, aligned - start);
    munmap(block + size, HugePage - (aligned - start));
    // Only advice: without huge pages the block serves all the same.
    madvise(block, size, MADV_HUGEPAGE);
    return block;
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (bytes < SmallestOnHugePages) {
        std::free(block);
    } else {
        munmap(block, Rounded(bytes));
    }
}

#else

void* AllocateLargeBlock(std::size_t bytes) {
    return ::operator new(bytes);
}

void FreeLargeBlock(void* block, std::size_t) noexcept {
    ::operator delete(block);
}

#endif
