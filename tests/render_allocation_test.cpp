// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/Recording.h"
#include "render/Renderer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

// Every heap allocation of this program, its libraries' included, goes through
// these: the C library's allocator is reached under its internal names.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);

namespace {
std::atomic<long> Allocations{0};
}

void* malloc(std::size_t size) {
    ++Allocations;
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    ++Allocations;
    return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) {
    ++Allocations;
    return __libc_realloc(memory, size);
}
}

namespace {

TEST(Allocation, ThousandPassesInSteadyStateAllocateNothing) {
    TRenderSettings settings;
    settings.Controls.Excitation.Source2 = true;
    settings.Controls.Excitation.Wavefront = true;
    TRenderer renderer(settings);
    for (int pass = 0; pass < 20; ++pass)
        ASSERT_TRUE(renderer.Pass());

    const long before = Allocations.load();
    for (int pass = 0; pass < 1000; ++pass)
        renderer.Pass();
    const long during = Allocations.load() - before;
    EXPECT_EQ(during, 0);

    const QString probe = QString::number(during).repeated(100);
    EXPECT_GT(Allocations.load() - before, 0) << "the counter sees allocations " << probe.size();
}

TEST(Allocation, RecordingPassesWithFourProbesAllocatesNothing) {
    TRenderer renderer(TRenderSettings{});
    TRecording recording(300); // filled and then overwritten, oldest first
    const TProbeSlots probes{TNodePosition{1, 1}, TNodePosition{36, 36}, std::nullopt,
                             TNodePosition{71, 71}};
    ASSERT_TRUE(renderer.Pass());

    const long before = Allocations.load();
    for (long long pass = 1; pass <= 1000; ++pass) {
        renderer.Pass();
        recording.Record(renderer.Net(), pass, renderer.PassTime(), probes);
    }
    EXPECT_EQ(Allocations.load() - before, 0);
    EXPECT_EQ(recording.At(0).Pass, 701);
}

} // namespace
