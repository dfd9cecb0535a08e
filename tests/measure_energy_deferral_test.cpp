// SPDX-License-Identifier: GPL-3.0-or-later
// Energies summed away from the passes (the page's worker) fill the same
// table as energies summed at each pass, whatever order the sums come back in.
#include "RecordingTesting.h"
#include "measure/Recording.h"
#include "sim/EnergySnapshot.h"
#include "web/PageEnergies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

const TProbeSlots Probes{TNodePosition{36, 36}, std::nullopt, std::nullopt, std::nullopt};

std::string Table(const TRecording& recording) {
    return TableText(recording, Probes, TCsvKind::Plain);
}

} // namespace

TEST(EnergyDeferral, TheWorkersSumsAndThoseSummedOnThePageFillTheSameTable) {
    TRecording summedAtOnce(100);
    RecordDrivenRun(summedAtOnce, Probes, 60);

    // The snapshot is the net's, node for node: a swapped row or column would
    // sum the stretches in another order and round otherwise.
    {
        auto net = MakeNet(TPass{}.Mode);
        TPass pass;
        pass.Excitation.Excitation = true;
        RunPasses(*net, pass, 300);
        auto snapshot = std::make_unique<TEnergySnapshot>();
        TakeSnapshot(*net, *snapshot);
        const TEnergy direct = VisibleEnergy(*net);
        const TEnergy copied = SnapshotEnergy(*snapshot);
        EXPECT_TRUE(SameBits(copied.Kinetic, direct.Kinetic));
        EXPECT_TRUE(SameBits(copied.OwnSprings, direct.OwnSprings));
        EXPECT_TRUE(SameBits(copied.CouplingSprings, direct.CouplingSprings));
    }

    auto page = std::make_unique<TPageEnergies>();
    TRecording deferred(100);
    deferred.DeferEnergiesTo(page.get());
    RecordDrivenRun(deferred, Probes, 60);
    EXPECT_TRUE(std::isnan(deferred.At(59).Total)) << "waiting for its sums";

    // The worker answers the first three posted; an answer out of order, or
    // one for a snapshot summed meanwhile, fills nothing.
    std::vector<std::uint64_t> stamps;
    std::vector<TEnergy> sums;
    while (const TEnergySnapshot* snapshot = page->NextToPost()) {
        stamps.push_back(page->SentStamp());
        sums.push_back(SnapshotEnergy(*snapshot));
    }
    ASSERT_EQ(stamps.size(), 60u);
    page->Done(stamps[1], sums[0], &deferred);
    EXPECT_TRUE(std::isnan(deferred.At(0).Total));
    for (std::size_t k = 0; k < 3; ++k)
        page->Done(stamps[k], sums[k], &deferred);
    EXPECT_EQ(deferred.At(2).Total, summedAtOnce.At(2).Total);
    EXPECT_TRUE(std::isnan(deferred.At(3).Total));
    page->SumAll(&deferred);
    page->Done(stamps[4], sums[0], &deferred);
    EXPECT_EQ(Table(deferred), Table(summedAtOnce));
}

TEST(EnergyDeferral, AFullRingSumsAtOnceAndARowWrittenOverTakesNoOldSums) {
    TRecording summedAtOnce(300);
    RecordDrivenRun(summedAtOnce, Probes, 200, 150);

    auto page = std::make_unique<TPageEnergies>();
    TRecording deferred(300);
    deferred.DeferEnergiesTo(page.get());
    // More passes than the ring holds, none answered; then a new run writes
    // over the rows the waiting snapshots belong to.
    RecordDrivenRun(deferred, Probes, 200, 150);
    const TEnergySnapshot* first = page->NextToPost();
    ASSERT_NE(first, nullptr);
    const TEnergy stale = SnapshotEnergy(*first);
    page->Done(page->SentStamp(), stale, &deferred);
    EXPECT_NE(deferred.At(0).Total, static_cast<double>(stale.Total))
        << "the row of pass 150, not 1";
    page->SumAll(&deferred);
    EXPECT_EQ(Table(deferred), Table(summedAtOnce));
}
